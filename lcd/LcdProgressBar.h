#pragma once

#include <cstdint>
#include <memory>

#include "lcd/LcdItem.h"
#include "lcd/LcdRange.h"
#include "platform/raster/RasterObjects.h"

namespace korvan {

// Any other value draws the frame only.
enum class LcdProgressStyle : std::int32_t {
  Filled = 0,        // white fill from the left edge to the position
  Cursor = 1,        // a white block whose left edge follows the position
  DottedCursor = 2,  // the block, led to by a dotted line at mid-height
};

// A value within a range shown as a horizontal bar inside a one-pixel white
// frame. Everything is painted white on the item's blanked box.
class LcdProgressBar : public LcdItem {
 public:
  ~LcdProgressBar() override = default;

  // Takes the stock white brush and makes the dotted pen.
  std::int32_t Initialize() override;
  void Draw(LcdCanvas& canvas) override;

  // Stored as given: neither ordered nor used to clamp the position again.
  virtual void SetRange(const LcdRange& range) { range_ = range; }
  virtual void SetRange(int min, int max) { range_ = {min, max}; }
  virtual LcdRange& GetRange() { return range_; }
  // Clamps to the range as it is now and returns what was stored; with min
  // above max every value gives min.
  virtual float SetPos(float value);
  virtual float GetPos() { return position_; }
  // True gives the cursor style, false the filled one.
  virtual void EnableCursor(bool cursor);
  virtual void SetStyle(LcdProgressStyle style) { style_ = style; }

  LcdProgressStyle GetStyle() const { return style_; }

  static constexpr int kCursorWidth = 5;

 private:
  LcdRange range_;
  float position_ = 0.0F;
  LcdProgressStyle style_ = LcdProgressStyle::Cursor;
  const Brush* frameBrush_ = nullptr;
  std::unique_ptr<Pen> dotPen_;
  int cursorWidth_ = kCursorWidth;
};

}  // namespace korvan
