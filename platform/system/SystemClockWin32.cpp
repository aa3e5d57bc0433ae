#include "platform/system/SystemClock.h"

#include <windows.h>

#include "platform/system/StopEventWin32.h"

namespace korvan {

std::uint32_t SystemClock::TickCount() {
  return static_cast<std::uint32_t>(GetTickCount());  // wraps after 49.7 days
}

void SystemClock::Sleep(std::uint32_t milliseconds) {
  // A stop request sets the event and ends the pause; the caller checks for
  // the stop after every step.
  HANDLE wake = StopWakeEvent();
  if (wake == nullptr) {
    ::Sleep(milliseconds);
    return;
  }
  WaitForSingleObject(wake, milliseconds);
}

}  // namespace korvan
