/* A stand-in LCD service for the program's run on Windows: one device that
 * is always there; the folder named by KORVAN_TEST_SERVICE_LOG gets the
 * lines "connect NAME" and "push PRIORITY" in the file log, and the latest
 * frame's bytes in the file frame, replaced whole. Button reads return the
 * decimal mask in the file buttons there (0 without it). Cleanup logs
 * whether the program still had Winsock started then. */
#include <windows.h>
#include <winsock2.h>

#include <stdio.h>

#include "lcdlink/LcdServiceInterface.h"

static char folder[MAX_PATH];

static FILE* Open(const char* name, const char* mode) {
  char path[MAX_PATH + 16];
  snprintf(path, sizeof path, "%s\\%s", folder, name);
  return fopen(path, mode);
}

static int32_t KORVAN_LCD_CALL Startup(void) {
  const DWORD length = GetEnvironmentVariableA("KORVAN_TEST_SERVICE_LOG", folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? kLcdServerUnavailable : kLcdOk;
}

/* A socket that cannot be made for want of WSAStartup: nothing in the
 * process holds Winsock any more. */
static int32_t KORVAN_LCD_CALL Cleanup(void) {
  const SOCKET probe = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  const int released = probe == INVALID_SOCKET && WSAGetLastError() == WSANOTINITIALISED;
  if (probe != INVALID_SOCKET) closesocket(probe);
  FILE* log = Open("log", "ab");
  fputs(released ? "cleanup: sockets released\n" : "cleanup: sockets still started\n", log);
  fclose(log);
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL Connect(LcdConnectContext* context) {
  FILE* log = Open("log", "ab");
  fputs("connect ", log);
  for (const uint16_t* c = context->appName; *c != 0; ++c) fputc(*c < 128 ? *c : '?', log);
  fputc('\n', log);
  fclose(log);
  context->connection = 1;
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL OneHandle(int32_t handle) {
  return handle > 0 ? kLcdOk : 6;
}

static int32_t KORVAN_LCD_CALL QueryDevice(int32_t connection, int32_t index,
                                           LcdDeviceDescription* description) {
  (void)description;
  return connection == 1 && index == 0 ? kLcdOk : kLcdNoMoreItems;
}

static int32_t KORVAN_LCD_CALL OpenDevice(LcdOpenContext* context) {
  context->device = 2;
  return kLcdOk;
}

static int32_t KORVAN_LCD_CALL ReadButtons(int32_t device, uint32_t* mask) {
  FILE* file = Open("buttons", "rb");
  unsigned value = 0;
  if (file != NULL) {
    if (fscanf(file, "%u", &value) != 1) value = 0;
    fclose(file);
  }
  *mask = value;
  return OneHandle(device);
}

static int32_t KORVAN_LCD_CALL PushFrame(int32_t device, const void* frame, int32_t priority) {
  FILE* file = Open("frame.new", "wb");
  fwrite(frame, 1, LCD_FRAME_BYTES, file);
  fclose(file);
  char from[MAX_PATH + 16], to[MAX_PATH + 16];
  snprintf(from, sizeof from, "%s\\frame.new", folder);
  snprintf(to, sizeof to, "%s\\frame", folder);
  MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING);
  FILE* log = Open("log", "ab");
  fprintf(log, "push %d\n", (int)priority);
  fclose(log);
  return OneHandle(device);
}

static int32_t KORVAN_LCD_CALL SetForeground(int32_t device, int32_t value) {
  (void)value;
  return OneHandle(device);
}

static const LcdServiceTable table = {Startup,     Cleanup,     Connect,    NULL,
                                      OneHandle,   QueryDevice, OpenDevice, OneHandle,
                                      ReadButtons, PushFrame,   {NULL},     SetForeground};

/* Built the way a vendor's 32-bit service may be: the entry too removes its
 * own argument (__stdcall), which the program's call copes with. */
__declspec(dllexport) const LcdServiceTable* KORVAN_LCD_CALL GetInterface(int32_t version) {
  return version == LCD_SERVICE_INTERFACE_VERSION ? &table : NULL;
}
