#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvan {

// The decoders' common intermediate form: 8-bit R, G, B, A per pixel, top
// row first, no padding. Formats without alpha store 255.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  const std::uint8_t* PixelAt(int x, int y) const {
    return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                          static_cast<std::size_t>(x)) *
                             4;
  }
};

}  // namespace korvan
