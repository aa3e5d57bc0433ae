#pragma once

#include <cstdint>
#include <vector>

namespace korvan {

// Nearest-neighbour resampling of one byte plane (top row first, no
// padding): destination pixel (x, y) takes source pixel
// (x * sourceWidth / width, y * sourceHeight / height), rounded down, as a
// plain stretch copy does. All sizes must be positive.
std::vector<std::uint8_t> ScalePlaneNearest(const std::vector<std::uint8_t>& source,
                                            int sourceWidth, int sourceHeight, int width,
                                            int height);

}  // namespace korvan
