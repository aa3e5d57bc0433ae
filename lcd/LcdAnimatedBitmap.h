#pragma once

#include <cstdint>

#include "lcd/LcdBitmapItem.h"
#include "platform/system/Clock.h"

namespace korvan {

// A bitmap holding a strip of equally wide frames side by side, shown one
// frame at a time. A draw that finds whole periods elapsed still shows the
// frame it found and moves the index on for the next draw, by all the
// periods at once.
class LcdAnimatedBitmap : public LcdBitmapItem {
 public:
  explicit LcdAnimatedBitmap(Clock& clock) : clock_(clock) {}
  ~LcdAnimatedBitmap() override = default;

  std::int32_t Initialize() override;
  void ResetUpdate() override;
  void Draw(LcdCanvas& canvas) override;
  void Update(std::uint32_t now) override { elapsed_ = now - lastFrameTick_; }

  // Counts the whole frames in the current bitmap, so it comes after
  // SetBitmap and again after every new bitmap.
  void SetFrameWidth(std::uint32_t width);
  // A period of 0 is taken as 1 ms: the draw divides by it.
  void SetFramePeriod(std::uint32_t milliseconds);

  std::uint32_t GetFrameCount() const { return frameCount_; }
  std::uint32_t GetCurrentFrame() const { return currentFrame_; }
  std::uint32_t GetElapsed() const { return elapsed_; }
  std::uint32_t GetFramePeriod() const { return framePeriod_; }

 private:
  Clock& clock_;
  std::uint32_t elapsed_ = 0;
  std::uint32_t framePeriod_ = 250;
  std::uint32_t lastFrameTick_ = 0;
  std::uint32_t frameWidth_ = 0;
  std::uint32_t currentFrame_ = 0;
  std::uint32_t frameCount_ = 0;
};

}  // namespace korvan
