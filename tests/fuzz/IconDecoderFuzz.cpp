// Any bytes, as an icon file, as the picture of a one-entry icon file or as a
// bitmap file, decode to null or to a well-formed black-and-white image.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/images/BitmapDecoder.h"
#include "platform/images/IconDecoder.h"
#include "platform/images/ImageDecoding.h"

namespace {

bool BlackOrWhite(const std::vector<std::uint8_t>& plane) {
  return std::ranges::all_of(plane, [](std::uint8_t v) { return v == 0 || v == 255; });
}

void CheckIcon(std::span<const std::uint8_t> file, int width, int height) {
  const auto icon = korvan::DecodeIcon(file, width, height);
  if (icon == nullptr) return;
  const std::size_t count = static_cast<std::size_t>(icon->width) * icon->height;
  if (icon->width < 1 || icon->height < 1 || icon->width > korvan::kMaxImageSide ||
      icon->height > korvan::kMaxImageSide || (width > 0 && icon->width != width) ||
      (height > 0 && icon->height != height) || icon->color.size() != count ||
      icon->mask.size() != count || !BlackOrWhite(icon->color) || !BlackOrWhite(icon->mask))
    __builtin_trap();
}

// The fuzzer rarely builds a valid directory by itself, so the input is also
// tried as the single entry's picture (a DIB or a PNG) behind a good one.
std::vector<std::uint8_t> WrapAsIcon(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> file{0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0};
  const auto size = static_cast<std::uint32_t>(data.size());
  for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
  file.insert(file.end(), {22, 0, 0, 0});
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

std::vector<std::uint8_t> WrapAsBitmap(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> file{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  // Pixels right after a 40-byte header and a two-entry colour table.
  file[10] = 14 + 40 + 8;
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  // The last byte picks a requested size, zero included, so scaling runs too.
  const int side = size > 0 ? data[size - 1] % 40 : 0;
  CheckIcon(input, side, 30);
  CheckIcon(WrapAsIcon(input), side, side);

  for (const auto& file :
       {std::vector<std::uint8_t>(input.begin(), input.end()), WrapAsBitmap(input)}) {
    const auto bitmap = korvan::DecodeBitmap(file);
    if (bitmap == nullptr) continue;
    if (bitmap->width < 1 || bitmap->height < 1 || bitmap->width > korvan::kMaxImageSide ||
        bitmap->height > korvan::kMaxImageSide ||
        bitmap->pixels.size() != static_cast<std::size_t>(bitmap->width) * bitmap->height ||
        !BlackOrWhite(bitmap->pixels))
      __builtin_trap();
  }
  return 0;
}
