#include "platform/system/SystemClock.h"

#include <cerrno>
#include <ctime>

namespace korvan {

std::uint32_t SystemClock::TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                            static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u;
  return static_cast<std::uint32_t>(milliseconds);  // wraps like a 32-bit tick
}

void SystemClock::Sleep(std::uint32_t milliseconds) {
  timespec pause{};
  pause.tv_sec = static_cast<time_t>(milliseconds / 1000u);
  pause.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1'000'000L;
  // An interrupting signal ends the pause: the only signals we catch ask the
  // program to stop, and the caller checks for that after every step.
  nanosleep(&pause, nullptr);
}

}  // namespace korvan
