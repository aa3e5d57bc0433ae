#pragma once

#include <filesystem>
#include <string_view>

namespace korvan {

// A path as the application stores it, with backslashes between its parts
// (for example "images\seafire\1_0.ico"), turned into one for this host.
// Relative paths stay relative, so they resolve against the current folder.
std::filesystem::path HostPath(std::string_view stored);

}  // namespace korvan
