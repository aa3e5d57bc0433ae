#pragma once

#include <array>
#include <cstdint>

namespace korvan {

// The device-independent bitmap header, fields in their published order.
struct LcdBitmapInfoHeader {
  std::uint32_t size;
  std::int32_t width;
  std::int32_t height;  // negative: the first row in memory is the top row
  std::uint16_t planes;
  std::uint16_t bitCount;
  std::uint32_t compression;
  std::uint32_t sizeImage;
  std::int32_t xPelsPerMeter;
  std::int32_t yPelsPerMeter;
  std::uint32_t colorsUsed;
  std::uint32_t colorsImportant;
};

struct LcdColorEntry {
  std::uint8_t blue;
  std::uint8_t green;
  std::uint8_t red;
  std::uint8_t reserved;
};

// Header and colour table describing the canvas's pixel store, for whoever
// wants to read the pixels as a bitmap. Indices 0 to 128 are black, 129 to
// 255 white, so a byte reads as white exactly when it is above 128.
struct LcdBitmapInfo {
  LcdBitmapInfoHeader header;
  std::array<LcdColorEntry, 256> colors;
  std::array<std::uint8_t, 4> spare;  // stays zero
};

static_assert(sizeof(LcdBitmapInfoHeader) == 40);
static_assert(sizeof(LcdBitmapInfo) == 1068);

}  // namespace korvan
