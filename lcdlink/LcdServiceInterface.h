/* The binary interface between Korvan and an LCD manager service plug-in.
 * Plain C so a plug-in can be written in either language; a plug-in includes
 * this header alone. All functions run on the caller's thread and return a
 * Win32-style code, 0 for success. */
#ifndef KORVAN_LCD_SERVICE_INTERFACE_H
#define KORVAN_LCD_SERVICE_INTERFACE_H

#include <stdint.h>

/* How the table's functions are called: on 32-bit x86 Windows the callee
 * removes its arguments (__stdcall), as the services there are built;
 * everywhere else the platform's one convention. */
#if defined(_WIN32) && defined(__i386__)
#define KORVAN_LCD_CALL __stdcall
#else
#define KORVAN_LCD_CALL
#endif

/* How a plug-in marks GetInterface as its export: on Windows a module
 * definition file exports it by its plain name; elsewhere it is the one
 * symbol a plug-in built with hidden visibility leaves visible. */
#ifdef _WIN32
#define KORVAN_LCD_EXPORT
#else
#define KORVAN_LCD_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
  kLcdOk = 0,
  kLcdNoMoreItems = 259,         /* no device present yet */
  kLcdServiceNotActive = 1062,   /* called before Startup */
  kLcdDeviceNotConnected = 1167, /* device gone, connection still good */
  kLcdAlreadyInitialized = 1247, /* Startup twice */
  kLcdServerUnavailable = 1722   /* the plug-in could not be loaded */
};

/* The frame handed to PushFrame: a 32-bit word 1, then 43 rows of 160
 * one-byte pixels, top row first; a byte above 128 is a white pixel. */
#define LCD_FRAME_WIDTH 160
#define LCD_FRAME_HEIGHT 43
#define LCD_FRAME_HEADER_BYTES 4
#define LCD_FRAME_BYTES (LCD_FRAME_HEADER_BYTES + LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT)

/* Soft buttons 0 to 3 as ReadButtons reports them. */
#define LCD_BUTTON_0 1u
#define LCD_BUTTON_1 2u
#define LCD_BUTTON_2 4u
#define LCD_BUTTON_3 8u

typedef struct LcdConnectContext {
  const uint16_t* appName; /* zero-terminated UTF-16 */
  int32_t optionA;
  int32_t optionB;
  void* callback; /* always null: the program hands over no callback */
  void* callbackContext;
  int32_t connection; /* out: written by Connect */
} LcdConnectContext;

typedef struct LcdOpenContext {
  int32_t connection;
  int32_t deviceIndex; /* always 0: the first device */
  void* callback;      /* always null */
  void* callbackContext;
  int32_t device; /* out: written by OpenDevice */
} LcdOpenContext;

typedef struct LcdDeviceDescription {
  uint32_t words[4]; /* filled by QueryDevice, never read */
} LcdDeviceDescription;

/* The function table returned by GetInterface(2). Slots 3 and 10 to 18 are
 * never called and may be null. */
typedef struct LcdServiceTable {
  int32_t(KORVAN_LCD_CALL* Startup)(void);                       /* 0 */
  int32_t(KORVAN_LCD_CALL* Cleanup)(void);                       /* 1 */
  int32_t(KORVAN_LCD_CALL* Connect)(LcdConnectContext* context); /* 2 */
  void* reserved3;                                               /* 3 */
  int32_t(KORVAN_LCD_CALL* Disconnect)(int32_t connection);      /* 4 */
  int32_t(KORVAN_LCD_CALL* QueryDevice)(int32_t connection, int32_t index,
                                        LcdDeviceDescription* description);                 /* 5 */
  int32_t(KORVAN_LCD_CALL* OpenDevice)(LcdOpenContext* context);                            /* 6 */
  int32_t(KORVAN_LCD_CALL* CloseDevice)(int32_t device);                                    /* 7 */
  int32_t(KORVAN_LCD_CALL* ReadButtons)(int32_t device, uint32_t* mask);                    /* 8 */
  int32_t(KORVAN_LCD_CALL* PushFrame)(int32_t device, const void* frame, int32_t priority); /* 9 */
  void* reserved10To18[9];                                                /* 10..18 */
  int32_t(KORVAN_LCD_CALL* SetForeground)(int32_t device, int32_t value); /* 19 */
} LcdServiceTable;

#define LCD_SERVICE_ENTRY_POINT "GetInterface"
#define LCD_SERVICE_INTERFACE_VERSION 2

/* Exported by every plug-in under LCD_SERVICE_ENTRY_POINT, undecorated;
 * null when the version is not supported. Services differ in who removes
 * its one argument, so the loader calls it in a way that suits either; our
 * own plug-ins use the platform's default convention. */
typedef const LcdServiceTable* (*LcdGetInterfaceFunction)(int32_t version);

#ifdef __cplusplus
}
#endif

#endif
