#include "tests/platform/ImageBuilders.h"

#include <png.h>

#include <algorithm>
#include <stdexcept>

namespace korvan::testing {

namespace {

constexpr Rgba kWhiteOpaque{255, 255, 255, 255};
constexpr Rgba kBlackOpaque{0, 0, 0, 255};

void Append16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Append32(Bytes& out, std::uint32_t value) {
  Append16(out, value & 0xFFFF);
  Append16(out, value >> 16);
}

std::size_t Stride(int width, int bitCount) {
  return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
}

void AppendInfoHeader(Bytes& out, int width, int height, int bitCount, std::uint32_t colors) {
  Append32(out, 40);
  Append32(out, static_cast<std::uint32_t>(width));
  Append32(out, static_cast<std::uint32_t>(height));
  Append16(out, 1);
  Append16(out, static_cast<unsigned>(bitCount));
  for (int i = 0; i < 4; ++i) Append32(out, 0);  // compression, image size, resolution
  Append32(out, colors);
  Append32(out, 0);
}

// The distinct colours (alpha ignored) in order of appearance; the palette
// is written in reverse so indices never coincide with luminance order.
std::vector<Rgba> PaletteOf(const Picture& picture, int bitCount) {
  std::vector<Rgba> palette;
  for (Rgba p : picture.pixels) {
    p.a = 0;
    if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
  }
  if (palette.size() > (std::size_t{1} << bitCount)) throw std::logic_error("too many colours");
  std::reverse(palette.begin(), palette.end());
  return palette;
}

// Colour rows bottom-up at any depth, with an optional colour table first.
void AppendPixels(Bytes& out, const Picture& picture, int bitCount, bool writeAlpha, bool topDown,
                  const std::vector<Rgba>& palette) {
  for (const Rgba& c : palette) {
    out.insert(out.end(), {c.b, c.g, c.r, 0});
  }
  const std::size_t stride = Stride(picture.width, bitCount);
  for (int row = 0; row < picture.height; ++row) {
    const int y = topDown ? row : picture.height - 1 - row;
    Bytes line(stride, 0);
    for (int x = 0; x < picture.width; ++x) {
      Rgba c = picture.At(x, y);
      if (bitCount <= 8) {
        Rgba key = c;
        key.a = 0;
        const auto index =
            static_cast<unsigned>(std::find(palette.begin(), palette.end(), key) - palette.begin());
        const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
        line[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bitCount - bit % 8));
      } else if (bitCount == 16) {
        const unsigned v = (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3);
        line[x * 2] = static_cast<std::uint8_t>(v);
        line[x * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
      } else {
        const std::size_t n = static_cast<std::size_t>(bitCount / 8);
        line[x * n] = c.b;
        line[x * n + 1] = c.g;
        line[x * n + 2] = c.r;
        if (n == 4) line[x * n + 3] = writeAlpha ? c.a : 0;
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
}

}  // namespace

Picture Picture::FromArt(const std::vector<std::string_view>& rows) {
  Picture p;
  p.height = static_cast<int>(rows.size());
  p.width = static_cast<int>(rows.front().size());
  constexpr std::string_view kKeys = "#. ~";
  constexpr Rgba kColors[] = {kWhiteOpaque, kBlackOpaque, {0, 0, 0, 0}, {255, 255, 255, 0}};
  for (const auto row : rows) {
    for (const char c : row) {
      const std::size_t key = kKeys.find(c);
      if (key == std::string_view::npos) throw std::logic_error("unknown art character");
      p.pixels.push_back(kColors[key]);
    }
  }
  return p;
}

Picture Picture::Filled(int width, int height, Rgba color) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixels.assign(static_cast<std::size_t>(width) * height, color);
  return p;
}

Bytes ExpectedColor(const Picture& picture, bool alphaDecides) {
  Bytes out;
  for (const Rgba& c : picture.pixels) {
    const bool transparent = c.a < 128;
    out.push_back(alphaDecides && transparent ? 0 : (c.r > 127 ? 255 : 0));
  }
  return out;
}

Bytes ExpectedMask(const Picture& picture) {
  Bytes out;
  for (const Rgba& c : picture.pixels) out.push_back(c.a < 128 ? 255 : 0);
  return out;
}

Bytes DibIconEntry(const Picture& picture, int bitCount, bool writeAlpha) {
  Bytes out;
  const auto palette = bitCount <= 8 ? PaletteOf(picture, bitCount) : std::vector<Rgba>{};
  AppendInfoHeader(out, picture.width, picture.height * 2, bitCount,
                   static_cast<std::uint32_t>(palette.size()));
  AppendPixels(out, picture, bitCount, writeAlpha, false, palette);
  const std::size_t stride = Stride(picture.width, 1);
  for (int row = 0; row < picture.height; ++row) {
    const int y = picture.height - 1 - row;
    Bytes line(stride, 0);
    for (int x = 0; x < picture.width; ++x) {
      if (picture.At(x, y).a < 128) line[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

Bytes PngData(const Picture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGBA;
  Bytes rgba;
  for (const Rgba& c : picture.pixels) rgba.insert(rgba.end(), {c.r, c.g, c.b, c.a});
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) {
    throw std::runtime_error("png size");
  }
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) {
    throw std::runtime_error("png write");
  }
  out.resize(size);
  return out;
}

Bytes IconFile(const std::vector<IconEntrySpec>& entries) {
  Bytes out;
  Append16(out, 0);
  Append16(out, 1);
  Append16(out, static_cast<unsigned>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const auto& e : entries) {
    out.push_back(static_cast<std::uint8_t>(e.width % 256));
    out.push_back(static_cast<std::uint8_t>(e.height % 256));
    out.push_back(0);
    out.push_back(0);
    Append16(out, 1);
    Append16(out, static_cast<unsigned>(e.bitCount));
    Append32(out, static_cast<std::uint32_t>(e.data.size()));
    Append32(out, offset);
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (const auto& e : entries) out.insert(out.end(), e.data.begin(), e.data.end());
  return out;
}

Bytes BmpFile(const Picture& picture, int bitCount, bool topDown) {
  Bytes body;
  const auto palette = bitCount <= 8 ? PaletteOf(picture, bitCount) : std::vector<Rgba>{};
  AppendInfoHeader(body, picture.width, topDown ? -picture.height : picture.height, bitCount,
                   static_cast<std::uint32_t>(palette.size()));
  AppendPixels(body, picture, bitCount, true, topDown, palette);
  Bytes out{'B', 'M'};
  Append32(out, static_cast<std::uint32_t>(14 + body.size()));
  Append32(out, 0);
  Append32(out, static_cast<std::uint32_t>(14 + 40 + palette.size() * 4));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

void PutU16(Bytes& bytes, std::size_t at, std::uint16_t value) {
  bytes.at(at) = static_cast<std::uint8_t>(value);
  bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  PutU16(bytes, at, static_cast<std::uint16_t>(value));
  PutU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::string AsString(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace korvan::testing
