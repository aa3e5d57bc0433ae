#pragma once

#include <cstdint>
#include <vector>

#include "lcd/LcdCanvas.h"
#include "lcd/LcdItem.h"

namespace korvan::testing {

// Fills its whole content rectangle white (or the rectangle it is given) and
// records the updates it receives.
class BoxItem : public LcdItem {
 public:
  BoxItem(int x, int y, int cx, int cy) {
    SetOrigin(x, y);
    SetSize(cx, cy);
  }

  void Draw(LcdCanvas& canvas) override {
    ++draws;
    RasterContext* dc = canvas.GetDeviceContext();
    clipSeen = dc->State().clip;
    dc->FillRect(paint ? *paint : Rect{0, 0, GetLogicalSize().cx, GetLogicalSize().cy},
                 GetStockBrush(color == kWhite ? StockBrush::White : StockBrush::Black));
  }
  void Update(std::uint32_t now) override { updates.push_back(now); }

  std::optional<Rect> paint;
  Color color = kWhite;
  int draws = 0;
  std::optional<Rect> clipSeen;
  std::vector<std::uint32_t> updates;
};

// Counts lit pixels of a frame inside a device rectangle.
inline int LitIn(const LcdFrame& frame, const Rect& area) {
  int lit = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) lit += frame.pixels[y * kLcdWidth + x] > 128;
  }
  return lit;
}

inline int LitTotal(const LcdFrame& frame) {
  return LitIn(frame, {0, 0, kLcdWidth, kLcdHeight});
}

}  // namespace korvan::testing
