#include "tests/platform/ImageBuilders.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace korvan::testing {
namespace {

void Append(Bytes& out, std::uint64_t value, int count = 4) {
  out.resize(out.size() + static_cast<std::size_t>(count));
  Put(out, out.size() - static_cast<std::size_t>(count), value, count);
}

// Rows, bottom-up if asked: up to 8 bits index `palette` (alpha left out of
// the match); 32 bits write alpha only if asked.
void AppendRows(Bytes& out, const Picture& p, int bits, bool bottomUp, bool alpha,
                const std::vector<Rgba>& palette) {
  for (int row = 0; row < p.height; ++row) {
    const int y = bottomUp ? p.height - 1 - row : row;
    Bytes line((static_cast<std::size_t>(p.width * bits) + 31) / 32 * 4, 0);
    for (int x = 0; x < p.width; ++x) {
      Rgba c = p.pixels[static_cast<std::size_t>(y * p.width + x)];
      const auto at = static_cast<std::size_t>(x * bits);
      if (bits <= 8) {
        c.a = 0;
        const auto index = std::find(palette.begin(), palette.end(), c) - palette.begin();
        line[at / 8] |= static_cast<std::uint8_t>(index << (8 - bits - static_cast<int>(at % 8)));
      } else if (bits == 16) {
        Put(line, at / 8, (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3), 2);
      } else {
        Put(line, at / 8, c.b | c.g << 8 | c.r << 16 | (alpha ? c.a : 0u) << 24, bits / 8);
      }
    }
    out.insert(out.end(), line.begin(), line.end());
  }
}

// Info header padded to `headerSize`, colour table (the distinct colours in
// order of appearance, black up to 2^bits entries if `pad`), then the rows,
// bottom-up for a positive height.
void AppendDib(Bytes& out, const Picture& p, int bits, int height, bool alpha, bool pad,
               std::uint32_t headerSize = 40) {
  std::vector<Rgba> palette;
  for (Rgba c : p.pixels) {
    c.a = 0;
    if (bits <= 8 && std::find(palette.begin(), palette.end(), c) == palette.end())
      palette.push_back(c);
  }
  if (bits <= 8 && palette.size() > (1u << bits)) throw std::logic_error("too many colours");
  if (bits <= 8 && pad) palette.resize(1u << bits, Rgba{0, 0, 0, 0});
  Append(out, headerSize);
  Append(out, static_cast<std::uint32_t>(p.width));
  Append(out, static_cast<std::uint32_t>(height));
  Append(out, 1 | static_cast<std::uint32_t>(bits) << 16);  // planes, bit count
  Append(out, 0, 16);                                       // compression, image size, resolution
  Append(out, palette.size());
  Append(out, 0, static_cast<int>(headerSize) - 36);
  for (const Rgba& c : palette) Append(out, c.b | c.g << 8 | c.r << 16);
  AppendRows(out, p, bits, height > 0, alpha, palette);
}

// A square picture with a white border; inside, vertical stripes on the left
// half and horizontal ones top right, so the rows and columns a scaled copy
// samples show; bottom right a shape naming the entry: 's'quare, 'x' cross,
// 'b'ar or 'c'olumn.
Picture EntryPicture(int n, char shape) {
  std::string art;
  const int half = n / 2, size = n - half - 4;
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const int u = x - half - 1, v = y - half - 1;
      const bool inShape = u >= 0 && v >= 0 && x < n - 2 && y < n - 2;
      const bool lit =
          x == 0 || y == 0 || x == n - 1 || y == n - 1 ||
          (y >= 2 && y < n - 2 && x >= 2 && x < half && x % 2 == 0) ||
          (y >= 2 && y < half && y % 2 == 0 && x > half && x < n - 2) ||
          (inShape && (shape == 's' || (shape == 'x' && (u == v || u + v == size - 1)) ||
                       (shape == 'b' && v >= size / 2) || (shape == 'c' && u < size / 2)));
      art += lit ? '#' : '.';
    }
  }
  return Picture::FromArt(art, n);
}

// A 16 × 16 picture of horizontal bands, one per character.
Picture Bands(std::string_view keys) {
  std::string art;
  for (const char key : keys) art.append(16 * 16 / keys.size(), key);
  return Picture::FromArt(art, 16);
}

}  // namespace

// Further keys: 'r' dark red, 'y' light yellow, 'g' light and 'd' dark grey,
// 'H' and 'L' white mostly opaque and mostly transparent, 'B' and 'b' black so.
Picture Picture::FromArt(std::string_view art, int width) {
  constexpr std::string_view kKeys = "#. ~rygdHLBb";
  constexpr std::uint32_t kColors[] = {0xFFFFFFFF, 0x000000FF, 0x00000000, 0xFFFFFF00,
                                       0xC82828FF, 0xFAFA64FF, 0x969696FF, 0x646464FF,
                                       0xFFFFFFC0, 0xFFFFFF40, 0x000000C0, 0x00000040};  // RGBA
  Picture p{width, static_cast<int>(art.size()) / width, {}};
  for (const char c : art) {
    if (kKeys.find(c) == std::string_view::npos) throw std::logic_error("unknown art character");
    const std::uint32_t v = kColors[kKeys.find(c)];
    p.pixels.push_back(
        {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
  }
  return p;
}

Bytes DibIconEntry(const Picture& picture, int bitCount, bool alpha, bool maskFromAlpha) {
  Bytes out;
  AppendDib(out, picture, bitCount, 2 * picture.height, alpha, true);
  Picture mask = picture;  // white where the AND mask says transparent
  for (Rgba& c : mask.pixels) c = Rgba{std::uint8_t(c.a < 128 && maskFromAlpha ? 255 : 0)};
  AppendRows(out, mask, 1, true, false, {{0, 0, 0, 0}, {255, 0, 0, 0}});
  return out;
}

Bytes PngData(const Picture& picture) {
  Bytes raw;
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    if (i % static_cast<std::size_t>(picture.width) == 0) raw.push_back(0);  // no filter
    const Rgba& c = picture.pixels[i];
    raw.insert(raw.end(), {c.r, c.g, c.b, c.a});
  }
  uLongf size = compressBound(raw.size());
  Bytes packed(size);
  if (compress2(packed.data(), &size, raw.data(), raw.size(), 9) != Z_OK)
    throw std::runtime_error("zlib");
  packed.resize(size);
  const auto bigEndian = [](Bytes& out, std::uint64_t v) { Append(out, __builtin_bswap32(v)); };
  Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const auto chunk = [&](std::string_view kind, const Bytes& data) {
    bigEndian(out, data.size());
    const std::size_t from = out.size();
    out.insert(out.end(), kind.begin(), kind.end());
    out.insert(out.end(), data.begin(), data.end());
    bigEndian(out, crc32(0, out.data() + from, static_cast<uInt>(out.size() - from)));
  };
  Bytes header;
  bigEndian(header, static_cast<std::uint32_t>(picture.width));
  bigEndian(header, static_cast<std::uint32_t>(picture.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
  chunk("IHDR", header);
  chunk("IDAT", packed);
  chunk("IEND", {});
  return out;
}

Bytes IconFile(const std::vector<IconEntrySpec>& entries) {
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

Bytes BmpFile(const Picture& picture, int bitCount, bool topDown, std::uint32_t headerSize) {
  Bytes out{'B', 'M'};
  Append(out, 0, 12);
  AppendDib(out, picture, bitCount, topDown ? -picture.height : picture.height, true, false,
            headerSize);
  const std::size_t stride = (static_cast<std::size_t>(picture.width * bitCount) + 31) / 32 * 4;
  Put(out, 2, out.size(), 4);
  Put(out, 10, out.size() - stride * static_cast<std::size_t>(picture.height), 4);
  return out;
}

std::map<std::string, Bytes> IconFixtures() {
  // Several sizes and depths, each picture different so the chosen entry
  // shows; a 4-bit and an 8-bit entry share 32 × 32, the 8-bit one later.
  std::vector<IconEntrySpec> sized;
  for (const auto& [n, shape, bits] :
       {std::tuple{16, 's', 4}, {32, 'b', 4}, {32, 'x', 8}, {48, 'c', 24}}) {
    sized.push_back({n, n, bits, DibIconEntry(EntryPicture(n, shape), bits)});
  }
  std::map<std::string, Bytes> files{{"sizes-ascending.ico", IconFile(sized)}};
  std::reverse(sized.begin(), sized.end());
  files["sizes-descending.ico"] = IconFile(sized);
  // One entry of each kind; the alpha one's AND mask says opaque throughout.
  const auto single = [](int bits, Bytes data) { return IconFile({{16, 16, bits, data}}); };
  const Picture colours = Bands("#.ry ~dg"), alphas = Bands("#. ~HLBb");
  files["mask-1bit.ico"] = single(1, DibIconEntry(Bands("#. ~"), 1));
  for (const int bits : {4, 8, 24}) {
    files["mask-" + std::to_string(bits) + "bit.ico"] = single(bits, DibIconEntry(colours, bits));
  }
  files["mask-32bit-alpha.ico"] = single(32, DibIconEntry(alphas, 32, true, false));
  files["mask-32bit-noalpha.ico"] = single(32, DibIconEntry(colours, 32));
  files["mask-png.ico"] = single(32, PngData(alphas));
  return files;
}

void Put(Bytes& bytes, std::size_t at, std::uint64_t value, int count) {
  for (int i = 0; i < count; ++i, value >>= 8) {
    bytes.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value);
  }
}

}  // namespace korvan::testing
