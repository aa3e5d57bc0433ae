#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <span>
#include <tuple>

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

// Odd width so rows need padding, and every kind of pixel.
const Picture kArt = Picture::FromArt("#. ~#.#.#.#  ~#..###..  ~ .", 9);

Bytes Single(const Picture& p, int bits, const Bytes& entry) {
  return IconFile({{p.width, p.height, bits, entry}});
}

// Luminance 150, 76, 128 and 127, then alpha 128 and 127.
const Picture kShades{6,
                      1,
                      {{0, 255, 0},
                       {255, 0, 0},
                       {128, 128, 128},
                       {127, 127, 127},
                       {255, 255, 255, 128},
                       {255, 255, 255, 127}}};

// Decoded icons on a frame whose lower half is white, each at (x, y) and 21
// rows lower, so the four kinds of icon pixel show apart; bitmaps at (x, y).
class ImageDecodingTest : public ::testing::Test {
 protected:
  ImageDecodingTest() {
    scene.context.FillRect({0, 21, 160, 43}, GetStockBrush(StockBrush::White));
  }
  void ShowIcon(const Bytes& file, int x, int y, int width = 0, int height = 0) {
    const auto icon = DecodeIcon(file, width, height);
    ASSERT_NE(icon, nullptr) << x << "," << y;
    for (const int top : {y, y + 21}) scene.context.DrawIcon(x, top, *icon, 0, 0);
  }
  void ShowBitmap(const Bytes& file, int x, int y) {
    const auto bitmap = DecodeBitmap(file);
    ASSERT_NE(bitmap, nullptr) << x << "," << y;
    scene.context.BitBlt(x, y, bitmap->width, bitmap->height, *bitmap, 0, 0);
  }

  RasterScene scene;
};

TEST_F(ImageDecodingTest, IconsOfEveryKindAndSize) {
  // Row 1: entries of 1, 4, 8, 16, 24 and 32 bits through their AND mask;
  // 32 bits whose alpha decides over a mask cleared to opaque, or over none;
  // PNG. Alpha-transparent pixels never invert.
  for (int i = 0; i < 6; ++i) {
    const int bits = std::array{1, 4, 8, 16, 24, 32}[static_cast<std::size_t>(i)];
    ShowIcon(Single(kArt, bits, DibIconEntry(kArt, bits)), 2 + 11 * i, 1);
  }
  Bytes noMask = DibIconEntry(kArt, 32, true);
  noMask.resize(noMask.size() - 4 * 3);
  ShowIcon(Single(kArt, 32, DibIconEntry(kArt, 32, true, false)), 68, 1);
  ShowIcon(Single(kArt, 32, noMask), 79, 1);
  ShowIcon(Single(kArt, 32, PngData(kArt)), 90, 1);
  // Row 6, scaled: pixels repeat, colour and mask together, or merge as the
  // loader's stretch does: black and opaque win, a block transparent
  // throughout stays so, inverting pixels included; alpha as its mask would.
  // A pixel goes by its centre, on a boundary to the lower pixel, as the real
  // loader places them (tools/raster-reference).
  const std::tuple<const char*, int, int, int, int> scaled[] = {
      {"#. #", 2, 24, 4, 3}, {"##  ~~#.##  ~~..", 8, 24, 4, 1},
      {"#   ", 2, 32, 1, 1}, {"#.#", 3, 24, 5, 1},
      {"#.", 2, 24, 3, 1},   {"#.#", 3, 24, 2, 1},
      {"#.#", 3, 24, 0, 2}};
  for (int i = 0; i < 7; ++i) {
    const auto [art, width, bits, cx, cy] = scaled[i];
    const Picture p = Picture::FromArt(art, width);
    ShowIcon(Single(p, 0, DibIconEntry(p, bits, bits == 32)), 2 + 8 * i, 6, cx, cy);
  }
  ShowIcon(Single(kShades, 32, PngData(kShades)), 2, 11);  // row 11
  EXPECT_TRUE(MatchesGolden("image-icons", scene.Art()));
}

TEST_F(ImageDecodingTest, BitmapsOfEveryLayout) {
  // Row 1: bottom-up and top-down, info headers of every length.
  const std::tuple<int, bool, std::uint32_t> layouts[] = {
      {1, false, 40},   {1, true, 40},   {4, false, 40},  {8, true, 52},  {16, false, 56},
      {24, false, 108}, {24, true, 124}, {32, false, 40}, {32, true, 108}};
  for (int i = 0; i < 9; ++i) {
    const auto [bits, topDown, header] = layouts[i];
    ShowBitmap(BmpFile(kArt, bits, topDown, header), 2 + 11 * i, 1);
  }
  // Row 6: the shades, alpha ignored; a one-entry colour table (white) with
  // a pixel of index 3; 16 bits with 5-6-5 masks after a 40-byte header:
  // 0x07E0 is white, 0x03E0 dark (as 5-5-5 it would be white).
  ShowBitmap(BmpFile(kShades, 32), 2, 6);
  Bytes pastTable = BmpFile(Picture::FromArt("##", 2), 4);
  Put(pastTable, pastTable.size() - 4, 0x03, 1);
  ShowBitmap(pastTable, 10, 6);
  Bytes fields = BmpFile(Picture::FromArt("..", 2), 16, false, 52);
  for (const auto& [at, value] :
       {std::pair{14, 40}, {30, 3}, {54, 0xF800}, {58, 0x07E0}, {62, 0x001F}, {66, 0x03E0'07E0}}) {
    Put(fields, static_cast<std::size_t>(at), static_cast<std::uint64_t>(value), 4);
  }
  ShowBitmap(fields, 14, 6);
  EXPECT_TRUE(MatchesGolden("image-bitmaps", scene.Art()));
}

// Entries of one flat colour each, so the decoded picture names the chosen
// one. Exact and closest size and depth are pinned by the
// reference-icons-sizes goldens; these are the choices those leave open.
TEST(IconEntryChoice, TiesLargestAndTheDirectoryZero) {
  const auto flat = [](int size, int bits, char key) {
    const Picture p =
        Picture::FromArt(std::string(static_cast<std::size_t>(size * size), key), size);
    return IconEntrySpec{size, size, bits, bits == 0 ? PngData(p) : DibIconEntry(p, bits)};
  };
  const Bytes spread = IconFile({flat(16, 32, '.'), flat(48, 32, '#')});
  const Bytes twins = IconFile({flat(16, 24, '.'), flat(16, 24, '#')});
  const Bytes big = IconFile({flat(256, 0, '#'), flat(16, 8, '.')});
  // A tie goes to the larger picture, no size asked to the largest, the
  // same size and depth to the earlier entry; 0 in the directory is 256.
  for (const auto& [file, size, white] : {std::tuple{&spread, 32, 255},
                                          {&spread, 0, 255},
                                          {&twins, 16, 0},
                                          {&big, 200, 255},
                                          {&big, 60, 0}}) {
    const auto icon = DecodeIcon(*file, size, size);
    ASSERT_NE(icon, nullptr) << size;
    EXPECT_EQ(icon->ColorAt(0, 0), white) << size;
  }
  const auto entries = ReadIconDirectory(big);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].width, 256);
  EXPECT_EQ(entries[0].bitCount, 32) << "a PNG entry counts as 32 bits";
  IconEntrySpec broken = flat(16, 24, '#');
  broken.data[14] = 7;  // no such bit count: null, not another entry
  EXPECT_EQ(DecodeIcon(IconFile({broken, flat(32, 24, '.')}), 16, 16), nullptr);
}

// Hostile and damaged input: always null, never a crash (the sanitizer
// build turns any stray read into a failure).
enum Base { kIcon, kPngIcon, kBitmap8, kBitmap24 };

Bytes Good(Base base) {
  if (base == kIcon) return Single(kArt, 24, DibIconEntry(kArt, 24));
  if (base == kPngIcon) return Single(kArt, 32, PngData(kArt));
  return BmpFile(kArt, base == kBitmap8 ? 8 : 24);
}

bool Decodes(Base base, std::span<const std::uint8_t> file, int width = 0, int height = 0) {
  if (base == kBitmap8 || base == kBitmap24) return DecodeBitmap(file) != nullptr;
  return DecodeIcon(file, width, height) != nullptr;
}

TEST(ImageHostile, EveryStrictPrefixIsRefused) {
  for (const Base base : {kIcon, kPngIcon, kBitmap8, kBitmap24}) {
    const Bytes file = Good(base);
    ASSERT_TRUE(Decodes(base, file));
    for (std::size_t n = 0; n < file.size(); ++n) {
      EXPECT_FALSE(Decodes(base, std::span(file.data(), n))) << base << ": " << n << " bytes";
    }
  }
}

using Edit = std::tuple<Base, std::size_t, std::uint64_t, int>;  // at, value, bytes

void ExpectRefused(std::span<const Edit> edits) {
  int row = 0;
  for (const auto& [base, at, value, count] : edits) {
    Bytes file = Good(base);
    Put(file, at, value, count);
    EXPECT_FALSE(Decodes(base, file)) << "row " << row++;
  }
}

TEST(ImageHostile, DamagedHeadersAndSizesPastTheCapsAreRefused) {
  // Icon directory: cursor type, no entries, entries past the directory,
  // offset past the end, size past the end, offset and size wrapping. DIB
  // header (from 22): core header, header past the data, width past the
  // cap, 0 and negative, pixels past the end, height past the cap, top-down,
  // INT_MIN; bit count 7, run-length compression, colour table past the cap.
  // PNG: IHDR checksum.
  const Edit icon[] = {
      {kIcon, 2, 2, 2},       {kIcon, 4, 0, 2},           {kIcon, 4, 0xFFFF, 2},
      {kIcon, 18, 0xFFFF, 4}, {kIcon, 14, 0x7FFFFFFF, 4}, {kIcon, 14, 0x20FFFFFFF0, 8},
      {kIcon, 22, 12, 4},     {kIcon, 22, 0xFFFFFFFF, 4}, {kIcon, 26, 100000, 4},
      {kIcon, 26, 0, 4},      {kIcon, 26, 0x80000000, 4}, {kIcon, 26, 1000, 4},
      {kIcon, 30, 4000, 4},   {kIcon, 30, 0xFFFFFFFA, 4}, {kIcon, 30, 0x80000000, 4},
      {kIcon, 36, 7, 2},      {kIcon, 38, 1, 4},          {kIcon, 54, 0x40000000, 4},
      {kPngIcon, 51, 0, 4}};
  ExpectRefused(icon);
  // Bitmap: signature, pixels inside the file header and past the end; info
  // header (from 14): width past the cap, INT_MIN and tall top-down height,
  // RLE8, RLE4, bit fields at 24 bits, colour table past the cap.
  const Edit bitmap[] = {{kBitmap24, 0, 0x4C43, 2},      {kBitmap24, 10, 4, 4},
                         {kBitmap24, 10, 0xFFFFFFF0, 4}, {kBitmap24, 18, 5000, 4},
                         {kBitmap24, 22, 0x80000000, 4}, {kBitmap24, 22, 0xFFFFEC78, 4},
                         {kBitmap24, 30, 1, 4},          {kBitmap24, 30, 2, 4},
                         {kBitmap24, 30, 3, 4},          {kBitmap24, 46, 257, 4}};
  ExpectRefused(bitmap);
  const Bytes good = Good(kIcon);
  EXPECT_FALSE(Decodes(kIcon, good, -1, 10));
  EXPECT_FALSE(Decodes(kIcon, good, 10, 5000));
  EXPECT_FALSE(Decodes(kIcon, good, INT_MAX, INT_MAX));
  EXPECT_TRUE(Decodes(kIcon, good, 1024, 1024));
  const Picture wide{2000, 1, std::vector<Rgba>(2000)};
  EXPECT_FALSE(Decodes(kIcon, Single(wide, 32, PngData(wide)))) << "PNG width past the cap";
}

// Paths as the application stores them: relative (to the current folder),
// with backslashes.
TEST(ImageFile, StoredPathsLoadAndUnreadableFilesGiveNull) {
  const TempDir dir;
  const auto stored = [&dir](std::string name) {
    std::string path = std::filesystem::relative(dir.path() / name).string();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  };
  const auto write = [&dir](const char* name, const Bytes& b) {
    dir.Write(name, {b.begin(), b.end()});
  };
  Bytes icon = Good(kIcon);
  std::filesystem::create_directories(dir.path() / "images/folder.ico");
  write("images/ok.ico", icon);
  write("images/b.bmp", Good(kBitmap24));
  icon.resize(kMaxImageFileBytes + 1);  // trailing bytes alone would be harmless
  write("images/big.ico", icon);
  write("empty.ico", {});
  ASSERT_EQ(mkfifo((dir.path() / "pipe.ico").c_str(), 0600), 0);  // no writer: must not block
  EXPECT_NE(LoadIconFile(stored("images/ok.ico"), 0, 0), nullptr);
  EXPECT_NE(LoadBitmapFile(stored("images/b.bmp")), nullptr);
  for (const char* name :
       {"images/missing.ico", "images/folder.ico", "images/big.ico", "empty.ico", "pipe.ico"}) {
    EXPECT_EQ(LoadIconFile(stored(name), 16, 16), nullptr) << name;
  }
  EXPECT_EQ(LoadBitmapFile(stored("images/folder.ico")), nullptr);
}

}  // namespace
}  // namespace korvan::testing
