#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvan {

// A decoded icon, already scaled to the size it was loaded at and reduced to
// the canvas's two pixel values. Both planes hold width x height bytes, top
// row first, no padding.
//
// Drawing rule (the classic AND-then-XOR icon draw, per pixel):
//   canvas = (canvas & mask) ^ color
// An opaque pixel (mask 0) puts its color (0 or 255) on the canvas. A
// transparent pixel (mask 255) with color 0 leaves the canvas as it was; one
// with color 255 inverts it, which only AND-mask icons can ask for. Pixels
// made transparent by an alpha channel always have color 0.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> color;  // 0 black, 255 white
  std::vector<std::uint8_t> mask;   // 0 opaque, 255 transparent

  std::size_t IndexOf(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  }
  std::uint8_t ColorAt(int x, int y) const { return color[IndexOf(x, y)]; }
  bool TransparentAt(int x, int y) const { return mask[IndexOf(x, y)] != 0; }
};

}  // namespace korvan
