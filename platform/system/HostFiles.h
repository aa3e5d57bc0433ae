#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace korvan {

enum class SmallFileRead { kRead, kMissing, kNotRegular };
// Up to `size` bytes of the file at `path` into `buffer` (`length` of them),
// without ever waiting: only a regular file is read, a FIFO, a device or a
// folder is kNotRegular; a missing or unreadable one is kMissing.
SmallFileRead ReadSmallRegularFile(const std::string& path, char* buffer, std::size_t size,
                                   std::size_t& length);

// Renames `from` to `to` in one step, replacing a file already there.
bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Whether standard error is a terminal (where a drawing can be redrawn in
// place).
bool StandardErrorIsTerminal();

}  // namespace korvan
