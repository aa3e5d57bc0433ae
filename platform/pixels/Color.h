#pragma once

#include <cstdint>

namespace korvan {

// 0x00BBGGRR, as the classic desktop API packs colours.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

// Byte values the raster layer writes into the 8-bit store. The LCD reads any
// byte above 128 as lit; the extremes keep an inversion (bitwise not) exact.
inline constexpr std::uint8_t kBlackPixel = 0;
inline constexpr std::uint8_t kWhitePixel = 255;

// The store is monochrome, so a colour becomes whichever of black and white is
// nearer, as a palette match against a black/white colour table would pick.
inline constexpr std::uint8_t PixelOf(Color color) {
  const unsigned sum = (color & 0xFF) + ((color >> 8) & 0xFF) + ((color >> 16) & 0xFF);
  return sum * 2 > 3 * 255 ? kWhitePixel : kBlackPixel;
}

}  // namespace korvan
