#pragma once

#include <cstdint>
#include <vector>

namespace korvan {

// One rasterised glyph: its 1-bit image (one byte per pixel, 0 or 1, row by
// row), where that image sits against the pen position, and how far the pen
// moves. Kept together so measuring and drawing can never disagree.
struct Glyph {
  int width = 0;
  int rows = 0;
  int left = 0;     // pen x to the image's first column
  int top = 0;      // baseline up to the image's first row
  int advance = 0;  // whole pixels
  std::vector<std::uint8_t> pixels;

  bool Lit(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] != 0; }
};

}  // namespace korvan
