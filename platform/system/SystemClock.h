#pragma once

#include "platform/system/Clock.h"

namespace korvan {

// The real clock: CLOCK_MONOTONIC milliseconds and nanosleep on Linux,
// GetTickCount and a wait on the stop event on Windows.
class SystemClock final : public Clock {
 public:
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace korvan
