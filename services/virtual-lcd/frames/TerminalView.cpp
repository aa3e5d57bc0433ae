#include "services/virtual-lcd/frames/TerminalView.h"

namespace korvan::virtual_lcd {
namespace {

// Indexed by the lit quarters: 1 upper left, 2 upper right, 4 lower left,
// 8 lower right.
constexpr const char* kQuadrants[16] = {" ",      "\u2598", "\u259D", "\u2580", "\u2596", "\u258C",
                                        "\u259E", "\u259B", "\u2597", "\u259A", "\u2590", "\u259C",
                                        "\u2584", "\u2599", "\u259F", "\u2588"};

}  // namespace

std::optional<std::string> TerminalView::Draw(const std::uint8_t* pixels) {
  Bits bits;
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = pixels[i] > 128;
  if (drawn_ && bits == shown_) return std::nullopt;
  auto lit = [&](int x, int y) { return y < LCD_FRAME_HEIGHT && bits[y * LCD_FRAME_WIDTH + x]; };
  std::string text;
  if (redrawInPlace_ && drawn_) text += "\x1b[" + std::to_string(kRows) + "A\r";
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const int x = column * 2;
      const int y = row * 2;
      const int index = (lit(x, y) ? 1 : 0) | (lit(x + 1, y) ? 2 : 0) | (lit(x, y + 1) ? 4 : 0) |
                        (lit(x + 1, y + 1) ? 8 : 0);
      text += kQuadrants[index];
    }
    text += '\n';
  }
  shown_ = bits;
  drawn_ = true;
  return text;
}

}  // namespace korvan::virtual_lcd
