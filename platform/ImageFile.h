#pragma once

#include <memory>
#include <string_view>

#include "platform/BitmapImage.h"
#include "platform/IconImage.h"

namespace korvan {

// Loads an icon file at width x height (see DecodeIcon) from a path as the
// application stores it (see HostPath). Null when the file is missing,
// unreadable, too large or not a usable icon.
std::unique_ptr<IconImage> LoadIconFile(std::string_view path, int width, int height);

// Loads a BMP file (see DecodeBitmap) the same way. Null on any failure.
std::unique_ptr<BitmapImage> LoadBitmapFile(std::string_view path);

}  // namespace korvan
