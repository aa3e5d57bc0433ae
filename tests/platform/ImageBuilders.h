#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Small writers of icon, bitmap and PNG files for the image decoder tests, so
// every case carries its own picture instead of a binary fixture.
namespace korvan::testing {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba&) const = default;
};

// A picture drawn with characters, top row first:
// '#' opaque white, '.' opaque black, ' ' transparent black,
// '~' transparent white (an AND-mask icon's "invert the screen" pixel).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;

  static Picture FromArt(const std::vector<std::string_view>& rows);
  static Picture Filled(int width, int height, Rgba color);
  const Rgba& At(int x, int y) const { return pixels[y * width + x]; }
};

// The byte planes a decoded icon of `art` should have: colour 0/255 and
// mask 255 where transparent. `alphaDecides`: transparent pixels read black.
Bytes ExpectedColor(const Picture& picture, bool alphaDecides);
Bytes ExpectedMask(const Picture& picture);

// An icon entry as a DIB: BITMAPINFOHEADER with doubled height, a colour
// table of the picture's colours for 1, 4 and 8 bits, bottom-up pixels, then
// the AND mask from alpha. 32 bits: `writeAlpha` puts the picture's alpha in
// the fourth byte, else 0 there.
Bytes DibIconEntry(const Picture& picture, int bitCount, bool writeAlpha = false);
Bytes PngData(const Picture& picture);

struct IconEntrySpec {
  int width = 0;  // as written in the directory: 256 is written as 0
  int height = 0;
  int bitCount = 0;
  Bytes data;
};
Bytes IconFile(const std::vector<IconEntrySpec>& entries);

// A BMP file with a 40-byte info header, uncompressed.
Bytes BmpFile(const Picture& picture, int bitCount, bool topDown = false);

void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value);
void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value);
std::string AsString(const Bytes& bytes);

}  // namespace korvan::testing
