#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "platform/images/BitmapImage.h"
#include "platform/images/IconImage.h"

namespace korvan {

// A path as the application stores it, with backslashes between its parts
// (for example "images\seafire\1_0.ico"), turned into one for this host.
// Relative paths stay relative, so they resolve against the current folder.
std::filesystem::path HostPath(std::string_view stored);

// Loads an icon file at width x height (see DecodeIcon) from a path of this
// host (HostPath turns a stored one into it), wide on Windows to the
// loader's wide call. Null when the file is missing, unreadable, too large
// or not a usable icon.
std::unique_ptr<IconImage> LoadIconFile(const std::filesystem::path& path, int width, int height);

// Loads a BMP file (see DecodeBitmap) the same way. Null on any failure.
std::unique_ptr<BitmapImage> LoadBitmapFile(const std::filesystem::path& path);

}  // namespace korvan
