#pragma once

#include <cstdint>

#include "lcd/LcdCanvas.h"
#include "lcd/LcdItemGroup.h"
#include "platform/system/Clock.h"

namespace korvan {

// One whole screen: a 160 × 43 group at (0, 0) that owns the canvas it
// renders into and carries a display time-out.
class LcdPage : public LcdItemGroup {
 public:
  explicit LcdPage(Clock& clock) : clock_(clock) {}

  std::int32_t Initialize() override;
  void Shutdown() override;

  // One pass: clear the canvas, draw every child, close the pass.
  virtual std::int32_t Render();
  // Measures the time-out against `now`, then updates every child.
  virtual void Advance(std::uint32_t now);
  virtual void OnButtonDown(std::int32_t button) { static_cast<void>(button); }
  virtual void OnButtonUp(std::int32_t button) { static_cast<void>(button); }
  virtual bool IsExpired();

  // Starts a time-out of `duration` ms from the clock's present tick. A
  // start tick of 0 stands for "no time-out", so one started at tick 0
  // counts as expired.
  void StartTimeout(std::uint32_t duration);
  const LcdFrame* GetFrame() { return canvas_.GetFrame(); }
  const LcdBitmapInfo* GetBitmapInfo() const { return canvas_.GetBitmapInfo(); }

 private:
  Clock& clock_;
  LcdCanvas canvas_;
  std::uint32_t timeoutStart_ = 0;
  std::uint32_t timeoutElapsed_ = 0;
  std::uint32_t timeoutDuration_ = 0;
};

}  // namespace korvan
