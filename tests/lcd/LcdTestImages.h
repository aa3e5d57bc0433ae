#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

#include "lcd/LcdFrame.h"
#include "tests/lcd/LcdScene.h"

namespace korvan::testing {

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
