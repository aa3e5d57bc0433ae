#include "platform/system/TerminationSignal.h"

#include <windows.h>

#include "platform/system/StopEventWin32.h"

namespace korvan {
namespace {

// Per user session, so `korvan --stop` (or a logoff script) reaches the
// program the same person started, and nobody else's.
constexpr wchar_t kSessionStopEventName[] = L"Local\\KorvanStop";

// Close, logoff and shutdown end the process as soon as the handler
// returns; this long gives the main thread its clean end first.
constexpr DWORD kCloseGraceMs = 4000;

std::atomic<bool> terminationRequested{false};
HANDLE wakeEvent = nullptr;
HANDLE sessionStopEvent = nullptr;

void RaiseStop() {
  terminationRequested.store(true);
  if (wakeEvent != nullptr) SetEvent(wakeEvent);
}

VOID CALLBACK OnSessionStop(PVOID, BOOLEAN) {
  RaiseStop();
}

BOOL WINAPI OnConsoleControl(DWORD type) {
  switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      RaiseStop();
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      RaiseStop();
      ::Sleep(kCloseGraceMs);
      return TRUE;
    default:
      return FALSE;
  }
}

void Install() {
  // Manual reset: once stopping, every later pause ends at once too.
  wakeEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  sessionStopEvent = CreateEventW(nullptr, TRUE, FALSE, kSessionStopEventName);
  // Found set, it was meant for a program that has not yet let it go (the
  // event lives while anyone holds it), not for this one, which would
  // otherwise start stopped.
  if (sessionStopEvent != nullptr && GetLastError() == ERROR_ALREADY_EXISTS &&
      WaitForSingleObject(sessionStopEvent, 0) == WAIT_OBJECT_0) {
    ResetEvent(sessionStopEvent);
  }
  HANDLE wait = nullptr;
  if (sessionStopEvent != nullptr) {
    RegisterWaitForSingleObject(&wait, sessionStopEvent, OnSessionStop, nullptr, INFINITE,
                                WT_EXECUTEONLYONCE);
  }
}

}  // namespace

void* StopWakeEvent() {
  return wakeEvent;
}

StopRequest RequestRunningProgramsStop() {
  // The event exists while a program that installed the handlers runs.
  HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, kSessionStopEventName);
  if (event == nullptr) return StopRequest::kNoneRunning;
  SetEvent(event);
  CloseHandle(event);
  return StopRequest::kSent;
}

const std::atomic<bool>& InstallTerminationHandlers() {
  static const bool installed = (Install(), true);
  (void)installed;
  return terminationRequested;
}

}  // namespace korvan
