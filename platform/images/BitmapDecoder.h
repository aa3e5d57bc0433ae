#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/images/BitmapImage.h"

namespace korvan {

// Decodes a BMP file held in memory (BITMAPFILEHEADER, then an info header
// of 40 bytes or a later version): 1, 4, 8, 16, 24 or 32 bits, bottom-up or
// top-down, uncompressed or with bit-field masks; each pixel becomes black
// or white by luminance, alpha is ignored. Run-length compressed, damaged or
// oversized files give null.
std::unique_ptr<BitmapImage> DecodeBitmap(std::span<const std::uint8_t> file);

}  // namespace korvan
