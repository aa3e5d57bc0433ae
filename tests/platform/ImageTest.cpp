#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <span>
#include <tuple>
#include <utility>

#include "platform/images/BitmapDecoder.h"
#include "platform/images/IconDecoder.h"
#include "platform/images/IconDirectory.h"
#include "platform/images/ImageDecoding.h"
#include "platform/images/ImageFile.h"
#include "tests/platform/ImageBuilders.h"
#include "tests/platform/RasterScene.h"
#include "tests/support/TempDir.h"

namespace korvan::testing {
namespace {

// Odd width so rows need padding, and every kind of pixel; shades of luminance 150, 76, 128 and
// 127, alpha 128 and 127, and 128.07 (white only by the exact weights of green and blue).
const Picture kArt = Picture::FromArt("#. ~#.#.#.#  ~#..###..  ~ .", 9);
const std::vector<std::uint32_t> kShadeColours = {0x00FF00FF, 0xFF0000FF, 0x808080FF, 0x7F7F7FFF,
                                                  0xFFFFFF80, 0xFFFFFF7F, 0x00A8FEFF};

// An icon file of one entry: a PNG one for 0 bits.
Bytes Icon(const Picture& p, int bits, bool alpha = false, bool maskFromAlpha = true) {
  const Bytes entry = bits == 0 ? PngData(p) : DibIconEntry(p, bits, alpha, maskFromAlpha);
  return IconFile({{p.width, p.height, bits, entry}});
}

struct ImageDecoding : ::testing::Test, RasterScene {};

// Icons at (x, y) and, over white, 21 rows lower, so the four kinds of icon
// pixel show apart; bitmaps from row 14, once.
TEST_F(ImageDecoding, EveryEntryKindBitmapLayoutAndScale) {
  dc.FillRect({0, 21, 160, 43}, kWhiteBrush);
  const auto icon = [this](const Bytes& file, int x, int y, int cx = 0, int cy = 0) {
    const auto decoded = DecodeIcon(file, cx, cy);
    ASSERT_NE(decoded, nullptr) << x << "," << y;
    for (const int top : {y, y + 21}) dc.DrawIcon(x, top, *decoded, 0, 0);
  };
  const auto bitmap = [this](const Bytes& file, int x, int y) {
    const auto decoded = DecodeBitmap(file);
    ASSERT_NE(decoded, nullptr) << x << "," << y;
    dc.BitBlt(x, y, decoded->width, decoded->height, *decoded, 0, 0);
  };
  // Row 1: 1 to 32 bits through the AND mask; 32 bits whose alpha decides
  // over an opaque mask, or over none; PNG. Alpha never inverts.
  for (int x = 2; const int bits : {1, 4, 8, 16, 24, 32})
    icon(Icon(kArt, bits), std::exchange(x, x + 11), 1);
  Bytes noMask = DibIconEntry(kArt, 32, true);
  noMask.resize(noMask.size() - 4 * 3);
  icon(Icon(kArt, 32, true, false), 68, 1);
  icon(IconFile({{9, 3, 32, noMask}}), 79, 1);
  icon(Icon(kArt, 0), 90, 1);
  // Row 6, scaled as the real loader scales: black and opaque win a merge, a wholly transparent
  // block stays so, inverting pixels too; a pixel goes by its centre, on a boundary the lower.
  const std::tuple<const char*, int, int, int, int> scaled[] = {
      {"#. #", 2, 24, 4, 3}, {"##  ~~#.##  ~~..", 8, 24, 4, 1},
      {"#   ", 2, 32, 1, 1}, {"#.#", 3, 24, 5, 1},
      {"#.", 2, 24, 3, 1},   {"#.#", 3, 24, 2, 1},
      {"#.#", 3, 24, 0, 2}};
  for (int x = 2; const auto& [art, width, bits, cx, cy] : scaled)
    icon(Icon(Picture::FromArt(art, width), bits, bits == 32), std::exchange(x, x + 8), 6, cx, cy);
  icon(Icon({7, 1, kShadeColours}, 0), 2, 11);
  // Row 14: bottom-up and top-down bitmaps, info headers of every length.
  const std::tuple<int, bool, std::uint32_t> layouts[] = {
      {1, false, 40},   {1, true, 40},   {4, false, 40},  {8, true, 52},  {16, false, 56},
      {24, false, 108}, {24, true, 124}, {32, false, 40}, {32, true, 108}};
  for (int x = 2; const auto& [bits, topDown, size] : layouts)
    bitmap(BmpFile(kArt, bits, topDown, size), std::exchange(x, x + 11), 14);
  // Row 18: the shades, alpha ignored; a one-entry colour table (white) with a pixel of index 3; 16
  // bits with 5-6-5 masks after a 40-byte header: 0x07E0 white, 0x03E0 dark (as 5-5-5, white).
  bitmap(BmpFile({7, 1, kShadeColours}, 32), 2, 18);
  Bytes pastTable = BmpFile(Picture::FromArt("##", 2), 4);
  Put(pastTable, pastTable.size() - 4, 0x03, 1);
  bitmap(pastTable, 10, 18);
  Bytes fields = BmpFile(Picture::FromArt("..", 2), 16, false, 52);
  for (const auto& [at, value] :
       {std::pair{14, 40}, {30, 3}, {54, 0xF800}, {58, 0x07E0}, {62, 0x001F}, {66, 0x03E0'07E0}})
    Put(fields, static_cast<std::size_t>(at), static_cast<std::uint64_t>(value), 4);
  bitmap(fields, 14, 18);
  EXPECT_TRUE(Matches("image-decoded"));

  // Icon entries with masks after a 40-byte header, or in a 56-byte one with an
  // alpha mask too, decode as the plain ones (alpha over an opaque AND mask).
  const std::pair<int, std::vector<std::uint32_t>> withMasks[] = {
      {16, {0x7C00, 0x03E0, 0x001F}}, {32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}};
  for (const auto& [bits, masks] : withMasks) {
    Bytes entry = DibIconEntry(kArt, bits, bits == 32, false);
    Bytes fields;
    for (const std::uint32_t mask : masks) Append(fields, mask);
    entry.insert(entry.begin() + 40, fields.begin(), fields.end());
    Put(entry, 16, 3, 4);
    if (masks.size() == 4) Put(entry, 0, 56, 4);
    const auto plain = DecodeIcon(Icon(kArt, bits, bits == 32, false), 0, 0);
    const auto masked = DecodeIcon(IconFile({{9, 3, bits, entry}}), 0, 0);
    ASSERT_TRUE(plain && masked) << bits;
    EXPECT_EQ(std::tie(masked->color, masked->mask), std::tie(plain->color, plain->mask)) << bits;
  }
}

// Flat entries: the decoded colour names the chosen one. A tie goes to the
// larger, no size asked to the largest, a twin to the earlier; 0 is 256.
TEST(IconEntryChoice, TiesLargestAndTheDirectoryZero) {
  const auto flat = [](int size, int bits, char key) {
    const Picture p = Picture::FromArt(std::string(std::size_t(size * size), key), size);
    return IconEntrySpec{size, size, bits, bits == 0 ? PngData(p) : DibIconEntry(p, bits)};
  };
  const Bytes spread = IconFile({flat(16, 32, '.'), flat(48, 32, '#')});
  const Bytes twins = IconFile({flat(16, 24, '.'), flat(16, 24, '#')});
  const Bytes big = IconFile({flat(256, 0, '#'), flat(16, 8, '.')});
  const std::tuple<const Bytes*, int, int> picks[] = {{&spread, 32, 255}, {&spread, 0, 255},
                                                      {&twins, 16, 0},    {&twins, 0, 0},
                                                      {&big, 200, 255},   {&big, 60, 0}};
  for (const auto& [file, size, white] : picks) {
    const auto icon = DecodeIcon(*file, size, size);
    ASSERT_NE(icon, nullptr) << size;
    EXPECT_EQ(icon->ColorAt(0, 0), white) << size;
  }
  const auto entries = ReadIconDirectory(big);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(std::tuple(entries[0].width, entries[0].height, entries[0].bitCount),
            std::tuple(256, 256, 32))
      << "0 in the directory is 256; PNG: 32 bits";
  const IconEntrySpec stub{16, 16, 0, Bytes(8)};  // too short to name its depth: 0, below any
  EXPECT_EQ(ReadIconDirectory(IconFile({stub})).at(0).bitCount, 0);
  IconEntrySpec broken = flat(16, 24, '#');
  broken.data[14] = 7;  // no such bit count: null, not another entry
  EXPECT_EQ(DecodeIcon(IconFile({broken, flat(32, 24, '.')}), 16, 16), nullptr);
}

// Hostile and damaged input: always null, never a crash (the sanitizer build fails a stray read).
enum Base { kIcon, kPngIcon, kBitmap, kBitmap8 };

const Bytes kGood[] = {Icon(kArt, 24), Icon(kArt, 0), BmpFile(kArt, 24), BmpFile(kArt, 8)};

bool Decodes(Base base, std::span<const std::uint8_t> file, int width = 0, int height = 0) {
  if (base >= kBitmap) return DecodeBitmap(file) != nullptr;
  return DecodeIcon(file, width, height) != nullptr;
}

TEST(ImageHostile, PrefixesDamagedHeadersAndSizesPastTheCapsAreRefused) {
  for (const Base base : {kIcon, kPngIcon, kBitmap, kBitmap8}) {
    const Bytes file = kGood[base];
    ASSERT_TRUE(Decodes(base, file));
    for (std::size_t n = 0; n < file.size(); ++n)
      EXPECT_FALSE(Decodes(base, std::span(file.data(), n))) << base << ": " << n << " bytes";
  }
  // The icon directory (type, count, entry offsets and sizes), its DIB from 22 and the bitmap's
  // info header from 14 (header size, sizes past the caps, zero, negative or top-down, bit counts,
  // compression, colour table), the PNG's IHDR checksum, the bitmap's signature and pixel offset.
  using Edits = std::vector<std::tuple<std::size_t, std::uint64_t, int>>;  // at, value, bytes
  const Edits icon = {{2, 2, 2},       {4, 0, 2},           {4, 0xFFFF, 2},
                      {18, 0xFFFF, 4}, {14, 0x7FFFFFFF, 4}, {14, 0x20FFFFFFF0, 8},
                      {22, 12, 4},     {22, 0xFFFFFFFF, 4}, {26, 100000, 4},
                      {26, 0, 4},      {26, 0x80000000, 4}, {26, 1000, 4},
                      {30, 4000, 4},   {30, 0xFFFFFFFA, 4}, {30, 0x80000000, 4},
                      {36, 7, 2},      {38, 1, 4},          {54, 0x40000000, 4}};
  const Edits png = {{51, 0, 4}},
              bitmap = {{0, 0x4C43, 2}, {10, 4, 4},          {10, 0xFFFFFFF0, 4},
                        {18, 5000, 4},  {22, 0x80000000, 4}, {22, 0xFFFFEC78, 4},
                        {30, 1, 4},     {30, 2, 4},          {30, 3, 4},
                        {46, 257, 4}};
  for (const auto& [base, edits] : {std::pair{kIcon, &icon}, {kPngIcon, &png}, {kBitmap, &bitmap}})
    for (const auto& [at, value, count] : *edits) {
      Bytes file = kGood[base];
      Put(file, at, value, count);
      EXPECT_FALSE(Decodes(base, file)) << base << " at " << at << ": " << value;
    }
  for (const auto& [cx, cy] : {std::pair{-1, 10}, {10, 5000}, {INT_MAX, INT_MAX}})
    EXPECT_FALSE(Decodes(kIcon, kGood[kIcon], cx, cy)) << cx << " x " << cy;
  EXPECT_TRUE(Decodes(kIcon, kGood[kIcon], 1024, 1024));
  EXPECT_FALSE(Decodes(kIcon, Icon({2000, 1, std::vector<std::uint32_t>(2000, 0xFF)}, 0)))
      << "PNG past the cap";
}

// Paths as the application stores them: relative, with backslashes.
TEST(ImageFile, StoredPathsLoadAndUnreadableFilesGiveNull) {
  const TempDir dir;
  const auto stored = [&dir](std::string name) {
    std::string path = std::filesystem::relative(dir.path() / name).string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return HostPath(path);
  };
  Bytes icon = kGood[kIcon];
  std::filesystem::create_directories(dir.path() / "images/folder.ico");
  dir.Write("images/ok.ico", {icon.begin(), icon.end()});
  icon.resize(kMaxImageFileBytes + 1);  // trailing bytes alone would be harmless
  dir.Write("images/big.ico", {icon.begin(), icon.end()});
  const Bytes bitmap = kGood[kBitmap];
  dir.Write("images/b.bmp", {bitmap.begin(), bitmap.end()});
  dir.Write("empty.ico", "");
  ASSERT_EQ(mkfifo((dir.path() / "pipe.ico").c_str(), 0600), 0);  // no writer: must not block
  EXPECT_NE(LoadIconFile(stored("images/ok.ico"), 0, 0), nullptr);
  EXPECT_NE(LoadBitmapFile(stored("images/b.bmp")), nullptr);
  for (const char* name :
       {"images/missing.ico", "images/folder.ico", "images/big.ico", "empty.ico", "pipe.ico"})
    EXPECT_EQ(LoadIconFile(stored(name), 16, 16), nullptr) << name;
  EXPECT_EQ(LoadBitmapFile(stored("images/folder.ico")), nullptr);
}

}  // namespace
}  // namespace korvan::testing
