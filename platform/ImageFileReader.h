#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace korvan {

// The whole content of a regular file of at most kMaxImageFileBytes; nothing
// for a missing, unreadable, special or larger file. Never blocks on a pipe.
std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::filesystem::path& path);

}  // namespace korvan
