#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

#include "lcd/LcdFrame.h"
#include "platform/images/BitmapImage.h"
#include "platform/images/IconImage.h"

namespace korvan::testing {

// A bitmap whose pixel (x, y) is lit where `lit(x, y)` says so.
template <typename Lit>
BitmapImage MakeBitmap(int width, int height, Lit lit) {
  BitmapImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.pixels.push_back(lit(x, y) ? 255 : 0);
  }
  return image;
}

// An icon lit where `lit(x, y)` says so and transparent everywhere else.
template <typename Lit>
IconImage MakeIcon(int width, int height, Lit lit) {
  IconImage icon{width, height, {}, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      icon.color.push_back(lit(x, y) ? 255 : 0);
      icon.mask.push_back(lit(x, y) ? 0 : 255);
    }
  }
  return icon;
}

// One row of a frame as '#' and '.', columns [from, to).
inline std::string FrameRow(const LcdFrame& frame, int y, int from = 0, int to = kLcdWidth) {
  std::string row;
  for (int x = from; x < to; ++x) row += frame.pixels[y * kLcdWidth + x] > 128 ? '#' : '.';
  return row;
}

// A row of `width` columns with the runs [from, to) lit.
inline std::string Lit(int width, std::initializer_list<std::pair<int, int>> runs) {
  std::string row(static_cast<std::size_t>(width), '.');
  for (const auto& [from, to] : runs) {
    for (int x = from; x < to; ++x) row[static_cast<std::size_t>(x)] = '#';
  }
  return row;
}

}  // namespace korvan::testing
