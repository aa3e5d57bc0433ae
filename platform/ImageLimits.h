#pragma once

#include <cstddef>

namespace korvan {

// Bounds on what the image decoders accept, so a hostile file can neither
// make them allocate without limit nor run for long. Real icons and bitmaps
// for a 160 x 43 display are far below all of them.
inline constexpr int kMaxImageSide = 1024;                          // pixels, each direction
inline constexpr std::size_t kMaxImageFileBytes = 4 * 1024 * 1024;  // whole file
inline constexpr int kMaxIconEntries = 64;                          // ICONDIR entries looked at

}  // namespace korvan
