#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Writers of icon, bitmap and PNG bytes: the decoder tests build their
// pictures with them, and they make the icon files of tests/data/icons.
namespace korvan::testing {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba&) const = default;
};

struct Picture {
  int width = 0, height = 0;
  std::vector<Rgba> pixels;  // top row first
  // Rows of `width` characters: '#' white, '.' black, ' ' transparent, '~'
  // transparent white (an AND-mask icon's inverting pixel); more in the .cpp.
  static Picture FromArt(std::string_view art, int width);
};

// An icon entry as a DIB: info header with doubled height, up to 8 bits a
// full colour table, bottom-up rows, then the AND mask. 32 bits: `alpha`
// writes the picture's alpha, else 0; without `maskFromAlpha` the AND mask
// says opaque throughout.
Bytes DibIconEntry(const Picture& picture, int bitCount, bool alpha = false,
                   bool maskFromAlpha = true);
Bytes PngData(const Picture& picture);  // 8-bit RGBA, unfiltered

// Width and height as written in the directory: 256 is written as 0.
struct IconEntrySpec {
  int width = 0, height = 0, bitCount = 0;
  Bytes data;
};
Bytes IconFile(const std::vector<IconEntrySpec>& entries);

// An uncompressed BMP file, its info header padded to `headerSize`.
Bytes BmpFile(const Picture& picture, int bitCount, bool topDown = false,
              std::uint32_t headerSize = 40);

// The files of tests/data/icons by name. tools/raster-reference made the
// reference-icons-* goldens from them: change them only together.
std::map<std::string, Bytes> IconFixtures();

// Writes the `count` low bytes of `value` at `at`, little-endian.
void Put(Bytes& bytes, std::size_t at, std::uint64_t value, int count);

}  // namespace korvan::testing
