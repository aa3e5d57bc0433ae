#include "platform/images/DibDecoder.h"

#include <array>
#include <bit>

#include "platform/images/ByteReader.h"
#include "platform/images/ImageDecoding.h"

namespace korvan {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kInfoHeaderSize = 40;

// One colour channel described by a bit mask, widened to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t maxValue = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    maxValue = mask >> shift;
  }
  std::uint8_t Extract(std::uint32_t value, std::uint8_t absent) const {
    if (maxValue == 0) return absent;
    const std::uint64_t raw = (value & mask) >> shift;
    return static_cast<std::uint8_t>(raw * 255 / maxValue);
  }
};

struct Header {
  std::size_t headerSize = 0;
  int width = 0;
  int rows = 0;  // picture rows, without the icon's mask rows
  bool bottomUp = true;
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::size_t colorsUsed = 0;
};

bool AcceptedHeaderSize(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

std::optional<Header> ReadHeader(const ByteReader& in, DibSource source) {
  const auto size = in.U32(0);
  const auto width = in.I32(4);
  const auto height = in.I32(8);
  const auto bitCount = in.U16(14);
  const auto compression = in.U32(16);
  const auto colorsUsed = in.U32(32);
  if (!size || !AcceptedHeaderSize(*size) || !in.Has(0, *size)) return std::nullopt;
  if (!width || !height || !bitCount || !compression || !colorsUsed) return std::nullopt;
  Header h;
  h.headerSize = *size;
  h.width = *width;
  h.bitCount = *bitCount;
  h.compression = *compression;
  h.colorsUsed = *colorsUsed;
  if (source == DibSource::kIconEntry) {
    if (*height <= 0) return std::nullopt;
    h.rows = *height / 2;
  } else {
    // The negation is safe once INT32_MIN is excluded.
    if (*height == INT32_MIN) return std::nullopt;
    h.bottomUp = *height > 0;
    h.rows = *height > 0 ? *height : -*height;
  }
  if (h.width < 1 || h.width > kMaxImageSide || h.rows < 1 || h.rows > kMaxImageSide) {
    return std::nullopt;
  }
  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (h.compression != kBiRgb) return std::nullopt;
      break;
    case 16:
    case 32:
      if (h.compression != kBiRgb && h.compression != kBiBitfields) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }
  if (h.colorsUsed > 256) return std::nullopt;
  return h;
}

// Red, green, blue and alpha masks for 16 and 32 bits per pixel.
std::optional<std::array<std::uint32_t, 4>> ReadMasks(const ByteReader& in, const Header& h) {
  if (h.compression == kBiRgb) {
    if (h.bitCount == 16) return std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0};
    return std::array<std::uint32_t, 4>{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  }
  // A plain info header is followed by three masks; longer headers hold them
  // (and from 56 bytes on an alpha mask too).
  const auto r = in.U32(40);
  const auto g = in.U32(44);
  const auto b = in.U32(48);
  if (!r || !g || !b) return std::nullopt;
  std::uint32_t a = 0;
  if (h.headerSize >= 56) a = in.U32(52).value_or(0);
  return std::array<std::uint32_t, 4>{*r, *g, *b, a};
}

std::size_t Stride(int width, int bitCount) {
  return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
}

// How pixel values become colours, and where the pixels start.
struct ColorSource {
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha: 16 and 32 bits
  // 8 bits and fewer. Indices past the table read as black, as the desktop
  // does.
  std::array<std::array<std::uint8_t, 3>, 256> palette{};
  std::size_t tableEntries = 0;
  std::size_t bitsAt = 0;
};

std::optional<ColorSource> ReadColors(const ByteReader& in, const Header& h,
                                      std::optional<std::size_t> bitsOffset) {
  ColorSource colors;
  std::size_t tableOffset = h.headerSize;
  if (h.bitCount >= 16) {
    const auto read = ReadMasks(in, h);
    if (!read) return std::nullopt;
    colors.masks = *read;
    if (h.compression == kBiBitfields && h.headerSize == kInfoHeaderSize) tableOffset += 12;
  }
  // Palette entries are blue, green, red, unused.
  colors.tableEntries = h.colorsUsed;
  if (h.bitCount <= 8 && colors.tableEntries == 0)
    colors.tableEntries = std::size_t{1} << h.bitCount;
  const auto table = in.Slice(tableOffset, colors.tableEntries * 4);
  if (!table) return std::nullopt;
  if (h.bitCount <= 8) {
    for (std::size_t i = 0; i < colors.tableEntries; ++i) {
      colors.palette[i] = {(*table)[i * 4 + 2], (*table)[i * 4 + 1], (*table)[i * 4]};
    }
  }
  colors.bitsAt = bitsOffset.value_or(tableOffset + colors.tableEntries * 4);
  return colors;
}

struct Channels {
  Channel red, green, blue, alpha;
  explicit Channels(const std::array<std::uint32_t, 4>& masks)
      : red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]) {}
};

// One stored row to RGBA. Bitmap copies ignore alpha; only icons draw
// through it, and `alphaUsed` is set once any alpha is non-zero.
void DecodeRow(const std::uint8_t* row, const Header& h, const ColorSource& colors,
               const Channels& channels, bool iconAlpha, std::uint8_t* dst, bool& alphaUsed) {
  for (int x = 0; x < h.width; ++x, dst += 4) {
    dst[3] = 255;
    if (h.bitCount <= 8) {
      const std::size_t bitPos = static_cast<std::size_t>(x) * h.bitCount;
      const unsigned shift = 8 - h.bitCount - bitPos % 8;
      const unsigned index = (row[bitPos / 8] >> shift) & ((1u << h.bitCount) - 1);
      const bool inTable = index < colors.tableEntries;
      for (int c = 0; c < 3; ++c) dst[c] = inTable ? colors.palette[index][c] : 0;
    } else if (h.bitCount == 24) {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
      dst[0] = p[2];
      dst[1] = p[1];
      dst[2] = p[0];
    } else {
      const std::size_t bytes = h.bitCount / 8;
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytes;
      std::uint32_t value = p[0] | static_cast<std::uint32_t>(p[1]) << 8;
      if (bytes == 4) {
        value |= static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
      }
      dst[0] = channels.red.Extract(value, 0);
      dst[1] = channels.green.Extract(value, 0);
      dst[2] = channels.blue.Extract(value, 0);
      if (iconAlpha) {
        dst[3] = channels.alpha.Extract(value, 0);
        if (dst[3] != 0) alphaUsed = true;
      }
    }
  }
}

// The icon's 1-bit AND mask, stored bottom-up after the colour rows, as one
// byte per pixel top row first. False when the file ends before it.
bool ReadAndMask(const ByteReader& in, const Header& h, std::size_t at, DibImage& out) {
  const std::size_t maskStride = Stride(h.width, 1);
  const auto maskBits = in.Slice(at, maskStride * h.rows);
  if (!maskBits) return false;
  out.andMask.resize(static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.rows));
  for (int y = 0; y < h.rows; ++y) {
    const std::uint8_t* row =
        maskBits->data() + static_cast<std::size_t>(h.rows - 1 - y) * maskStride;
    for (int x = 0; x < h.width; ++x) {
      out.andMask[static_cast<std::size_t>(y) * h.width + x] = (row[x / 8] >> (7 - x % 8)) & 1;
    }
  }
  return true;
}

}  // namespace

std::optional<DibImage> DecodeDib(std::span<const std::uint8_t> dib, DibSource source,
                                  std::optional<std::size_t> bitsOffset) {
  const ByteReader in(dib);
  const auto header = ReadHeader(in, source);
  if (!header) return std::nullopt;
  const Header& h = *header;
  const auto colors = ReadColors(in, h, bitsOffset);
  if (!colors) return std::nullopt;
  const std::size_t stride = Stride(h.width, h.bitCount);
  const auto bits = in.Slice(colors->bitsAt, stride * static_cast<std::size_t>(h.rows));
  if (!bits) return std::nullopt;

  DibImage out;
  out.picture.width = h.width;
  out.picture.height = h.rows;
  out.picture.rgba.resize(static_cast<std::size_t>(h.width) * static_cast<std::size_t>(h.rows) * 4);
  const Channels channels(colors->masks);
  const bool iconAlpha = source == DibSource::kIconEntry && h.bitCount == 32;
  for (int y = 0; y < h.rows; ++y) {
    const int sourceRow = h.bottomUp ? h.rows - 1 - y : y;
    DecodeRow(bits->data() + static_cast<std::size_t>(sourceRow) * stride, h, *colors, channels,
              iconAlpha, out.picture.rgba.data() + static_cast<std::size_t>(y) * h.width * 4,
              out.alphaUsed);
  }
  if (iconAlpha && !out.alphaUsed) {
    for (std::size_t i = 3; i < out.picture.rgba.size(); i += 4) out.picture.rgba[i] = 255;
  }
  // An alpha icon draws without its mask; any other needs one.
  if (source == DibSource::kIconEntry &&
      !ReadAndMask(in, h, colors->bitsAt + stride * static_cast<std::size_t>(h.rows), out) &&
      !out.alphaUsed) {
    return std::nullopt;
  }
  return out;
}

}  // namespace korvan
