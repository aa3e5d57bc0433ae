#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::virtual_lcd {

// Draws frames as text with Unicode quadrant blocks, 2 x 2 pixels a cell:
// 80 x 22 cells, the last row's lower half empty.
class TerminalView {
 public:
  static constexpr int kColumns = LCD_FRAME_WIDTH / 2;
  static constexpr int kRows = (LCD_FRAME_HEIGHT + 1) / 2;

  // `redrawInPlace`: move the cursor back over the previous drawing first
  // (for a terminal; a file or pipe gets the frames one after the other).
  explicit TerminalView(bool redrawInPlace) : redrawInPlace_(redrawInPlace) {}

  // The text to write for these 160 x 43 pixels, or nothing when the frame
  // looks as the one drawn last.
  std::optional<std::string> Draw(const std::uint8_t* pixels);

 private:
  using Bits = std::array<bool, LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT>;

  bool redrawInPlace_;
  bool drawn_ = false;
  Bits shown_{};
};

}  // namespace korvan::virtual_lcd
