#include "platform/images/IconDirectory.h"

#include <algorithm>
#include <cstdlib>

#include "platform/images/ByteReader.h"
#include "platform/images/ImageDecoding.h"
#include "platform/images/PngDecoder.h"

namespace korvan {

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;

int DepthOf(std::span<const std::uint8_t> data, std::uint16_t directoryBits) {
  if (directoryBits != 0) return directoryBits;
  if (HasPngSignature(data)) return 32;
  return ByteReader(data).U16(14).value_or(0);
}

}  // namespace

std::vector<IconEntry> ReadIconDirectory(std::span<const std::uint8_t> file) {
  const ByteReader in(file);
  std::vector<IconEntry> entries;
  const auto reserved = in.U16(0);
  const auto type = in.U16(2);
  const auto count = in.U16(4);
  if (!reserved || !type || !count || *reserved != 0 || *type != 1) return entries;
  // A directory claiming more entries than the file holds is damaged.
  if (!in.Has(kDirectorySize, static_cast<std::size_t>(*count) * kEntrySize)) return entries;
  const int looked = std::min<int>(*count, kMaxIconEntries);
  for (int i = 0; i < looked; ++i) {
    const std::size_t at = kDirectorySize + static_cast<std::size_t>(i) * kEntrySize;
    // In range: the whole directory was checked above.
    const std::uint8_t width = *in.U8(at);
    const std::uint8_t height = *in.U8(at + 1);
    const std::uint16_t bitCount = *in.U16(at + 6);
    const std::uint32_t bytes = *in.U32(at + 8);
    const std::uint32_t offset = *in.U32(at + 12);
    const auto data = in.Slice(offset, bytes);
    if (!data || data->empty()) continue;
    IconEntry entry;
    entry.width = width == 0 ? 256 : width;
    entry.height = height == 0 ? 256 : height;
    entry.bitCount = DepthOf(*data, bitCount);
    entry.data = *data;
    entries.push_back(entry);
  }
  return entries;
}

std::optional<std::size_t> ChooseIconEntry(const std::vector<IconEntry>& entries,
                                           int requestedWidth, int requestedHeight) {
  std::optional<std::size_t> best;
  auto distance = [&](const IconEntry& e) {
    return (requestedWidth > 0 ? std::abs(e.width - requestedWidth) : 0) +
           (requestedHeight > 0 ? std::abs(e.height - requestedHeight) : 0);
  };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!best) {
      best = i;
      continue;
    }
    const IconEntry& e = entries[i];
    const IconEntry& b = entries[*best];
    const int de = distance(e), db = distance(b);
    if (de != db) {
      if (de < db) best = i;
      continue;
    }
    const int areaE = e.width * e.height, areaB = b.width * b.height;
    if (areaE != areaB) {
      if (areaE > areaB) best = i;
      continue;
    }
    if (e.bitCount > b.bitCount) best = i;
  }
  return best;
}

}  // namespace korvan
