#pragma once

#include <cstdint>

namespace korvan {

// Millisecond tick and pacing. Injected everywhere time matters, so tests can
// drive cycles and animations with a fake clock instead of real time.
class Clock {
 public:
  virtual ~Clock() = default;

  // 32-bit milliseconds since an arbitrary start; wraps after about 49.7 days,
  // so callers take differences modulo 2^32.
  virtual std::uint32_t TickCount() = 0;

  // Pauses the calling thread. May return early when a termination signal
  // arrives, so a long configured pause never delays a clean end.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace korvan
