#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korvan {

// One picture of an icon file, as its ICONDIRENTRY describes it, with the
// byte range already checked to lie inside the file.
struct IconEntry {
  int width = 0;  // from the directory; 0 there means 256
  int height = 0;
  int bitCount = 0;  // from the directory, or from the picture when that says 0
  std::span<const std::uint8_t> data;
};

// The usable entries of an icon file (reserved 0, type 1), in file order.
// A directory longer than the file gives nothing; entries whose data lies
// outside the file are left out; only the first kMaxIconEntries are looked
// at. Nothing usable gives an empty list.
std::vector<IconEntry> ReadIconDirectory(std::span<const std::uint8_t> file);

// The entry the loader draws for a requested size, the desktop loader's way:
// the smallest |width - requested width| + |height - requested height|
// (a requested 0 leaves that direction out), so an exact size always wins;
// among equally close ones the larger picture, then the higher colour depth,
// then the earlier entry. Nothing for an empty list.
std::optional<std::size_t> ChooseIconEntry(const std::vector<IconEntry>& entries,
                                           int requestedWidth, int requestedHeight);

}  // namespace korvan
