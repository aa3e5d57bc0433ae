#include "lcd/LcdAnimatedBitmap.h"

namespace korvan {

std::int32_t LcdAnimatedBitmap::Initialize() {
  framePeriod_ = 250;
  elapsed_ = 0;
  lastFrameTick_ = clock_.TickCount();
  return LcdBitmapItem::Initialize();
}

void LcdAnimatedBitmap::ResetUpdate() {
  currentFrame_ = 0;
  lastFrameTick_ = clock_.TickCount();
}

void LcdAnimatedBitmap::SetFramePeriod(std::uint32_t milliseconds) {
  framePeriod_ = milliseconds == 0 ? 1 : milliseconds;
}

void LcdAnimatedBitmap::SetFrameWidth(std::uint32_t width) {
  frameWidth_ = width;
  const BitmapImage* bitmap = GetBitmap();
  const bool usable = bitmap != nullptr && bitmap->width > 0 && bitmap->height > 0 && width != 0;
  frameCount_ = usable ? static_cast<std::uint32_t>(bitmap->width) / width : 0;
  // A shorter strip must not leave the index on a frame it no longer has.
  if (currentFrame_ >= frameCount_) currentFrame_ = 0;
  if (usable) SetLogicalSize(bitmap->width, bitmap->height);
}

void LcdAnimatedBitmap::Draw(LcdCanvas& canvas) {
  if (frameCount_ == 0) return;
  const long long column = static_cast<long long>(currentFrame_) * frameWidth_;
  const std::uint32_t steps = elapsed_ / framePeriod_;
  if (steps > 0) {
    currentFrame_ = static_cast<std::uint32_t>(
        (static_cast<unsigned long long>(currentFrame_) + steps) % frameCount_);
    elapsed_ %= framePeriod_;
    lastFrameTick_ = clock_.TickCount();
  }
  CopyFrom(canvas, Saturate(column), 0);
}

}  // namespace korvan
