#include "lcd/LcdProgressBar.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

#include "lcd/LcdCanvas.h"

namespace korvan {
namespace {

// (value - inMin) / (inMax - inMin) × (outMax - outMin) + outMin in 32-bit
// floats, truncated toward zero. Empty when the result is not finite (a range
// whose ends are equal divides by zero); saturated when it lies beyond what
// a coordinate holds, where a plain conversion would be undefined.
std::optional<int> ScaleToPixels(float inMin, float inMax, float outMin, float outMax,
                                 float value) {
  const float ratio = (value - inMin) / (inMax - inMin);
  const float span = outMax - outMin;
  const float result = std::trunc(ratio * span + outMin);
  if (!std::isfinite(result)) return std::nullopt;
  // The largest float below 2^31 is 2^31 - 128.
  return static_cast<int>(std::clamp(result, -2147483648.0F, 2147483520.0F));
}

}  // namespace

std::int32_t LcdProgressBar::Initialize() {
  frameBrush_ = &GetStockBrush(StockBrush::White);
  dotPen_.reset(new (std::nothrow) Pen{PenStyle::Dot, kWhite});
  return LcdItem::Initialize();
}

float LcdProgressBar::SetPos(float value) {
  const float min = static_cast<float>(range_.min);
  const float max = static_cast<float>(range_.max);
  const float below = value < max ? value : max;
  position_ = min > below ? min : below;
  return position_;
}

void LcdProgressBar::EnableCursor(bool cursor) {
  style_ = cursor ? LcdProgressStyle::Cursor : LcdProgressStyle::Filled;
}

void LcdProgressBar::Draw(LcdCanvas& canvas) {
  RasterContext* dc = canvas.GetDeviceContext();
  if (dc == nullptr) return;
  canvas.Clear();
  if (frameBrush_ == nullptr) return;  // not initialised: nothing to paint with
  const int width = GetWidth();
  const int height = GetHeight();
  dc->FrameRect({0, 0, width, height}, *frameBrush_);

  const float min = static_cast<float>(range_.min);
  const float max = static_cast<float>(range_.max);
  switch (style_) {
    case LcdProgressStyle::Filled: {
      const std::optional<int> right =
          ScaleToPixels(min, max, 0.0F, static_cast<float>(width), position_);
      if (right) dc->FillRect({0, 0, *right, height}, *frameBrush_);
      break;
    }
    case LcdProgressStyle::Cursor:
    case LcdProgressStyle::DottedCursor: {
      const long long lastLeft = static_cast<long long>(width) - cursorWidth_ - 1;
      const std::optional<int> left =
          ScaleToPixels(min, max, 1.0F, static_cast<float>(lastLeft), position_);
      if (!left) break;
      dc->FillRect({*left, 0, AddSaturated(*left, cursorWidth_), height}, *frameBrush_);
      if (style_ == LcdProgressStyle::DottedCursor) {
        // Pen and current position go back as they were.
        RasterStateGuard guard(*dc);
        dc->SelectPen(dotPen_.get());
        dc->MoveTo(0, height / 2);
        dc->LineTo(*left, height / 2);
      }
      break;
    }
  }
}

}  // namespace korvan
