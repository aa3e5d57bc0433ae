#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>

namespace korvan {

// The length in bytes of the regular file open as `file`; nothing when it is
// a folder, a device or a pipe, or when the system cannot say. Asked of the
// open file, not of its name, so a rename in between cannot mislead.
std::optional<std::uint64_t> RegularFileSize(std::FILE* file);

}  // namespace korvan
