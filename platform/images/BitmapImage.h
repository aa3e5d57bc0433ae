#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvan {

// A decoded bitmap reduced to the canvas's two pixel values: width x height
// bytes, top row first, no padding, each 0 (black) or 255 (white). A copy
// onto the canvas takes the bytes as they are.
struct BitmapImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  std::uint8_t PixelAt(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

}  // namespace korvan
