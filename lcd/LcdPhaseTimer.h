#pragma once

#include <cstdint>

#include "platform/system/Clock.h"

namespace korvan {

// The rest and move phases of a moving text. The page hands every item the
// tick count in Update; the phase's elapsed time is measured from when it
// started, and while moving, the distance a speed earns from the last step.
class LcdPhaseTimer {
 public:
  explicit LcdPhaseTimer(Clock& clock) : clock_(clock) {}

  // A new phase starts now.
  void Restart() {
    elapsed_ = 0;
    start_ = clock_.TickCount();
  }
  // Differences are taken modulo 2^32, so a wrapping tick count is no jump.
  void Update(std::uint32_t now) { elapsed_ = now - start_; }
  bool Outlasted(std::uint32_t delay) const { return elapsed_ > delay; }

  // Pixels earned at `pixelsPerSecond` since the last step; the next step
  // counts from now.
  float TakeDistance(std::uint32_t pixelsPerSecond) {
    // The product wraps in 32 bits, as the tick differences do.
    const std::uint32_t product = pixelsPerSecond * elapsed_;
    start_ = clock_.TickCount();
    return static_cast<float>(static_cast<float>(product) / 1000.0);
  }

 private:
  Clock& clock_;
  std::uint32_t start_ = 0;
  std::uint32_t elapsed_ = 0;
};

}  // namespace korvan
