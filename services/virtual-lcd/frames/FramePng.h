#pragma once

#include <cstdint>
#include <string>

namespace korvan::virtual_lcd {

inline constexpr int kMaxPngScale = 8;

// The 160 x 43 grey bytes at `pixels` as an 8-bit greyscale PNG, each pixel
// a `scale` x `scale` square (1 to kMaxPngScale). Empty when the scale is
// out of range or the encoder failed.
std::string FramePng(const std::uint8_t* pixels, int scale);

}  // namespace korvan::virtual_lcd
