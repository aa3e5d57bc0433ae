/* A stand-in LCD service for the program's run on Windows: one device that
 * is always there, and what it is given written to the folder named by
 * KORVAN_TEST_SERVICE_LOG: "connect NAME" and "push PRIORITY" lines in the
 * file log, and the latest frame's bytes in the file frame. */
#include <windows.h>

#include <stdio.h>

#include "lcdlink/LcdServiceInterface.h"

static char folder[MAX_PATH];

static void Line(const char* what, const char* detail) {
  char path[MAX_PATH + 8];
  snprintf(path, sizeof path, "%s\\log", folder);
  FILE* log = fopen(path, "ab");
  if (log == NULL) return;
  fprintf(log, "%s %s\n", what, detail);
  fclose(log);
}

static int32_t KORVAN_LCD_CALL Startup(void) {
  const DWORD length = GetEnvironmentVariableA("KORVAN_TEST_SERVICE_LOG", folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? kLcdServerUnavailable : kLcdOk;
}

static int32_t KORVAN_LCD_CALL Cleanup(void) {
  Line("cleanup", "");
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL Connect(LcdConnectContext* context) {
  char name[64] = "";
  for (int i = 0; i + 1 < (int)sizeof name && context->appName[i] != 0; ++i) {
    name[i] = context->appName[i] < 128 ? (char)context->appName[i] : '?';
    name[i + 1] = 0;
  }
  Line("connect", name);
  context->connection = 1;
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL Disconnect(int32_t connection) {
  (void)connection;
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL QueryDevice(int32_t connection, int32_t index,
                                           LcdDeviceDescription* description) {
  (void)connection, (void)index, (void)description;
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL OpenDevice(LcdOpenContext* context) {
  context->device = 2;
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL CloseDevice(int32_t device) {
  (void)device;
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL ReadButtons(int32_t device, uint32_t* mask) {
  (void)device;
  *mask = 0;
  return kLcdOk;
}

/* Replaced whole, so a reader never sees half a frame. */
static int32_t KORVAN_LCD_CALL PushFrame(int32_t device, const void* frame, int32_t priority) {
  char path[MAX_PATH + 8];
  char written[MAX_PATH + 8];
  char number[16];
  (void)device;
  snprintf(written, sizeof written, "%s\\frame.new", folder);
  snprintf(path, sizeof path, "%s\\frame", folder);
  FILE* file = fopen(written, "wb");
  if (file != NULL) {
    fwrite(frame, 1, LCD_FRAME_BYTES, file);
    fclose(file);
    MoveFileExA(written, path, MOVEFILE_REPLACE_EXISTING);
  }
  snprintf(number, sizeof number, "%d", (int)priority);
  Line("push", number);
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL SetForeground(int32_t device, int32_t value) {
  (void)device, (void)value;
  return kLcdOk;
}

static const LcdServiceTable table = {Startup,     Cleanup,     Connect,    NULL,
                                      Disconnect,  QueryDevice, OpenDevice, CloseDevice,
                                      ReadButtons, PushFrame,   {NULL},     SetForeground};

const LcdServiceTable* GetInterface(int32_t version) {
  return version == LCD_SERVICE_INTERFACE_VERSION ? &table : NULL;
}
