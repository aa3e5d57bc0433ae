#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/images/IconImage.h"

namespace korvan {

// Decodes an icon file held in memory and returns it at width x height:
// the best-fitting entry (see ChooseIconEntry) is decoded, whether a
// bitmap entry of 1, 4, 8, 16, 24 or 32 bits with its AND mask or a PNG
// entry, stretched as the desktop loader does (see StretchPicture) and
// reduced to black and white by luminance. Transparency comes from the alpha channel of PNG entries
// and of 32-bit entries with any non-zero alpha, else from the AND mask. A zero width or height
// keeps the entry's own size in that direction. Sizes out of range, a damaged file or a chosen
// entry that fails to decode give null.
std::unique_ptr<IconImage> DecodeIcon(std::span<const std::uint8_t> file, int width, int height);

}  // namespace korvan
