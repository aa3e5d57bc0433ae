#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/images/ImageDecoding.h"

namespace korvan {

// Where a device-independent bitmap comes from. Icon entries store twice the
// picture's height in the header (colour rows, then the 1-bit AND mask) and
// are always bottom-up; bitmap files may be top-down and have no mask.
enum class DibSource { kBitmapFile, kIconEntry };

struct DibImage {
  RgbaImage picture;
  // Icon entries only: one byte per pixel, top row first, 1 where the AND
  // mask is set (transparent). Empty when an alpha icon has no mask.
  std::vector<std::uint8_t> andMask;
  // A 32-bit icon entry with at least one non-zero alpha: alpha, not the
  // mask, decides transparency. Otherwise alpha is 255 throughout.
  bool alphaUsed = false;
};

// Decodes a BITMAPINFOHEADER (or a later, longer version) at the start of
// `dib`, its colour table and its pixels: 1, 4, 8 bits with a palette, 16,
// 24 and 32 bits, uncompressed or with bit-field masks. `bitsOffset` is where
// the pixels start within `dib`; without it they follow the colour table.
// Run-length compression, odd headers, sizes past the caps or data past the
// end of `dib` give nothing.
std::optional<DibImage> DecodeDib(std::span<const std::uint8_t> dib, DibSource source,
                                  std::optional<std::size_t> bitsOffset);

}  // namespace korvan
