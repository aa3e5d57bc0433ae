#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace korvan {

inline constexpr int kLcdWidth = 160;
inline constexpr int kLcdHeight = 43;
inline constexpr int kLcdPixelCount = kLcdWidth * kLcdHeight;

// The block handed to the LCD service: the word 1, then 43 rows of 160
// one-byte pixels, top row first; a byte above 128 is a lit pixel.
struct LcdFrame {
  std::uint32_t header;
  std::array<std::uint8_t, kLcdPixelCount> pixels;
};

static_assert(sizeof(LcdFrame) == 6884);
static_assert(std::endian::native == std::endian::little, "the header is little-endian");

}  // namespace korvan
