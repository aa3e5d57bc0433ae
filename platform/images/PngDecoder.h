#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/images/ImageDecoding.h"

namespace korvan {

// True when `data` starts with the eight-byte PNG signature.
bool HasPngSignature(std::span<const std::uint8_t> data);

// Decodes a PNG of any colour type and depth to 8-bit RGBA. Damaged data or
// a picture past the size caps gives nothing.
std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> data);

}  // namespace korvan
