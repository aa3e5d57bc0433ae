#pragma once

#include <png.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Writers of icon, bitmap and PNG bytes for the decoder tests, the icon files
// of tests/data/icons (ImageBuilders.cpp).
namespace korvan::testing {

using Bytes = std::vector<std::uint8_t>;

// Writes the `count` low bytes of `value` at `at`, little-endian.
inline void Put(Bytes& bytes, std::size_t at, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i, value >>= 8) bytes.at(at + std::size_t(i)) = std::uint8_t(value);
}

inline void Append(Bytes& out, std::uint64_t value, int count = 4) {
  out.resize(out.size() + static_cast<std::size_t>(count));
  Put(out, out.size() - static_cast<std::size_t>(count), value, count);
}

// Pixels as 0xRRGGBBAA, top row first.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;

  // Rows of `width` characters: '#' white, '.' black, ' ' transparent, '~' transparent white (an
  // AND-mask icon's inverting pixel); 'r' dark red, 'y' light yellow, 'g' light and 'd' dark grey;
  // 'H' and 'L' white mostly opaque and mostly transparent, 'B' and 'b' black so.
  static Picture FromArt(std::string_view art, int width) {
    constexpr std::array<std::uint32_t, 12> kColors = {
        0xFFFFFFFF, 0x000000FF, 0x00000000, 0xFFFFFF00, 0xC82828FF, 0xFAFA64FF,
        0x969696FF, 0x646464FF, 0xFFFFFFC0, 0xFFFFFF40, 0x000000C0, 0x00000040};
    Picture p{width, static_cast<int>(art.size()) / width, {}};
    for (const char c : art)
      p.pixels.push_back(kColors.at(std::string_view("#. ~rygdHLBb").find(c)));
    return p;
  }
};

// Rows, bottom-up if asked: up to 8 bits index `palette` (colours without
// their alpha, 0xRRGGBB); 32 bits write alpha only if asked.
inline void AppendRows(Bytes& out, const Picture& p, int bits, bool bottomUp, bool alpha,
                       const std::vector<std::uint32_t>& palette) {
  for (int row = 0; row < p.height; ++row) {
    const int y = bottomUp ? p.height - 1 - row : row;
    Bytes line((static_cast<std::size_t>(p.width * bits) + 31) / 32 * 4, 0);
    for (int x = 0; x < p.width; ++x) {
      const std::uint32_t c = p.pixels[static_cast<std::size_t>(y * p.width + x)];
      const auto at = static_cast<std::size_t>(x * bits);
      if (bits <= 8) {
        const auto index = std::find(palette.begin(), palette.end(), c >> 8) - palette.begin();
        line[at / 8] |= static_cast<std::uint8_t>(index << (8 - bits - static_cast<int>(at % 8)));
      } else if (bits == 16) {
        Put(line, at / 8, (c >> 17 & 0x7C00) | (c >> 14 & 0x3E0) | (c >> 11 & 0x1F), 2);
      } else {
        Put(line, at / 8, c >> 8 | (alpha ? c << 24 : 0), bits / 8);
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
}

// Info header padded to `headerSize`, colour table (the colours in order of
// appearance, black up to 2^bits if `pad`), rows bottom-up for a height > 0.
inline void AppendDib(Bytes& out, const Picture& p, int bits, int height, bool alpha, bool pad,
                      std::uint32_t headerSize = 40) {
  std::vector<std::uint32_t> palette;
  for (const std::uint32_t c : p.pixels)
    if (bits <= 8 && std::find(palette.begin(), palette.end(), c >> 8) == palette.end())
      palette.push_back(c >> 8);
  if (bits <= 8 && pad) palette.resize(1u << bits);
  Append(out, headerSize);
  Append(out, std::uint32_t(p.width) | std::uint64_t(std::uint32_t(height)) << 32, 8);
  Append(out, 1 | static_cast<std::uint32_t>(bits) << 16);  // planes, bit count
  Append(out, 0, 16);                                       // compression, image size, resolution
  Append(out, palette.size());
  Append(out, 0, static_cast<int>(headerSize) - 36);
  for (const std::uint32_t c : palette) Append(out, c);
  AppendRows(out, p, bits, height > 0, alpha, palette);
}

// An icon entry: a DIB of doubled height, then the AND mask (opaque throughout
// without `maskFromAlpha`); 32 bits write alpha only if `alpha`.
inline Bytes DibIconEntry(const Picture& picture, int bitCount, bool alpha = false,
                          bool maskFromAlpha = true) {
  Bytes out;
  AppendDib(out, picture, bitCount, 2 * picture.height, alpha, true);
  Picture mask = picture;  // white where the AND mask says transparent
  for (std::uint32_t& c : mask.pixels) c = (c & 0xFF) < 128 && maskFromAlpha ? 0xFFFFFFFF : 0;
  AppendRows(out, mask, 1, true, false, {0, 0xFFFFFF});
  return out;
}

// 8-bit RGBA, written by libpng.
inline Bytes PngData(const Picture& picture) {
  Bytes rgba;
  for (const std::uint32_t pixel : picture.pixels) Append(rgba, __builtin_bswap32(pixel));
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
  Bytes out(size);
  png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr);
  return out;
}

// Width and height as written in the directory: 256 is written as 0.
struct IconEntrySpec {
  int width = 0, height = 0, bitCount = 0;
  Bytes data;
};

inline Bytes IconFile(const std::vector<IconEntrySpec>& entries) {
  Bytes out;
  Append(out, 0x10000 | entries.size() << 32, 6);  // reserved, type 1, count
  std::size_t offset = out.size() + 16 * entries.size();
  for (const auto& e : entries) {
    Append(out, static_cast<std::uint32_t>(e.width % 256 | e.height % 256 << 8));
    Append(out, 1 | static_cast<std::uint32_t>(e.bitCount) << 16);
    Append(out, e.data.size() | offset << 32, 8);
    offset += e.data.size();
  }
  for (const auto& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

// An uncompressed BMP file, its info header padded to `headerSize`.
inline Bytes BmpFile(const Picture& picture, int bitCount, bool topDown = false,
                     std::uint32_t headerSize = 40) {
  Bytes out{'B', 'M'};
  Append(out, 0, 12);
  AppendDib(out, picture, bitCount, topDown ? -picture.height : picture.height, true, false,
            headerSize);
  const std::size_t stride = (static_cast<std::size_t>(picture.width * bitCount) + 31) / 32 * 4;
  Put(out, 2, out.size(), 4);
  Put(out, 10, out.size() - stride * static_cast<std::size_t>(picture.height), 4);
  return out;
}

}  // namespace korvan::testing
