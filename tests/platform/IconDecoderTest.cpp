#include <gtest/gtest.h>

#include <climits>

#include "platform/images/IconDecoder.h"
#include "platform/images/IconDirectory.h"
#include "tests/platform/ImageBuilders.h"

namespace korvan::testing {
namespace {

// Odd width so rows need padding, and every kind of pixel.
const Picture& Art() {
  static const Picture art = Picture::FromArt({
      "#. ~#.#.#",
      ".#  ~#..#",
      "##..  ~ .",
  });
  return art;
}

// Opaque black and white only, for the 1-bit table's two entries.
const Picture& TwoColourArt() {
  static const Picture art = Picture::FromArt({
      "#.#.#",
      "..##.",
  });
  return art;
}

std::unique_ptr<IconImage> Decode(const Bytes& file, int width = 0, int height = 0) {
  return DecodeIcon(file, width, height);
}

Bytes SingleEntry(const Picture& p, int bits, Bytes data) {
  return IconFile({{p.width, p.height, bits, std::move(data)}});
}

class DibEntryDepth : public ::testing::TestWithParam<int> {};

TEST_P(DibEntryDepth, DecodesColourAndAndMaskAtItsOwnSize) {
  const int bits = GetParam();
  // One bit holds only two colours: the transparent ones must share them.
  const Picture& art = bits == 1 ? TwoColourArt() : Art();
  const auto icon = Decode(SingleEntry(art, bits, DibIconEntry(art, bits)));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->width, art.width);
  EXPECT_EQ(icon->height, art.height);
  EXPECT_EQ(icon->color, ExpectedColor(art, false)) << "colour kept under the mask";
  EXPECT_EQ(icon->mask, ExpectedMask(art));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DibEntryDepth, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(IconAlpha, AlphaDecidesOverTheMaskAndBlanksTransparentColour) {
  const std::size_t maskBytes = 4 * static_cast<std::size_t>(Art().height);
  Bytes clearedMask = DibIconEntry(Art(), 32, true);
  // Were the cleared AND mask used, nothing would be transparent.
  std::fill(clearedMask.end() - static_cast<long>(maskBytes), clearedMask.end(), 0);
  Bytes noMask = DibIconEntry(Art(), 32, true);
  noMask.resize(noMask.size() - maskBytes);
  for (const Bytes& entry : {clearedMask, noMask, PngData(Art())}) {
    const auto icon = Decode(SingleEntry(Art(), 32, entry));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->width, Art().width);
    EXPECT_EQ(icon->mask, ExpectedMask(Art()));
    EXPECT_EQ(icon->color, ExpectedColor(Art(), true)) << "'~' pixels must not invert";
  }
}

TEST(IconLuminance, ColoursSplitAtLuminance128AndAlphaAt128) {
  Picture p = Picture::Filled(6, 1, {});
  p.pixels = {{0, 255, 0, 255},     {255, 0, 0, 255},     {128, 128, 128, 255},
              {127, 127, 127, 255}, {255, 255, 255, 128}, {255, 255, 255, 127}};
  const auto icon = Decode(SingleEntry(p, 32, PngData(p)));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->color, (Bytes{255, 0, 255, 0, 255, 0}));
  EXPECT_EQ(icon->mask, (Bytes{0, 0, 0, 0, 0, 255}));
}

// Each candidate is one flat colour so the decoded picture names the entry.
IconEntrySpec Flat(int w, int h, int bits, bool white) {
  const Picture p = Picture::Filled(w, h, white ? Rgba{255, 255, 255} : Rgba{0, 0, 0});
  return {w, h, bits, DibIconEntry(p, bits == 0 ? 32 : bits)};
}

bool PicksWhite(const Bytes& file, int w, int h) {
  const auto icon = Decode(file, w, h);
  if (icon == nullptr) throw std::runtime_error("no icon");
  return icon->ColorAt(0, 0) == 255;
}

// Exact size, closest size and depth are pinned by the reference-icons-sizes
// goldens; these are the choices those files leave open.
TEST(IconEntryChoice, TiesGoToTheLargerThenTheEarlierEntry) {
  const Bytes spread = IconFile({Flat(16, 16, 32, false), Flat(48, 48, 32, true)});
  EXPECT_TRUE(PicksWhite(spread, 32, 32)) << "a tie goes to the larger picture";
  EXPECT_TRUE(PicksWhite(spread, 0, 0)) << "no requested size: the largest";
  EXPECT_FALSE(PicksWhite(IconFile({Flat(16, 16, 24, false), Flat(16, 16, 24, true)}), 16, 16))
      << "same size and depth: the earlier entry";
}

TEST(IconEntryChoice, DirectoryZeroMeans256AndZeroDepthIsReadFromThePicture) {
  const Picture big = Picture::Filled(256, 256, {255, 255, 255});
  Bytes file = IconFile({{256, 256, 0, PngData(big)}, Flat(16, 16, 8, false)});
  const auto entries = ReadIconDirectory(file);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].width, 256);
  EXPECT_EQ(entries[0].bitCount, 32) << "a PNG entry counts as 32 bits";
  EXPECT_TRUE(PicksWhite(file, 200, 200));
  EXPECT_FALSE(PicksWhite(file, 60, 60));
}

TEST(IconEntryChoice, BrokenChosenEntryGivesNullNotAnotherEntry) {
  IconEntrySpec broken = Flat(16, 16, 24, true);
  broken.data[14] = 7;  // no such bit count
  EXPECT_EQ(Decode(IconFile({broken, Flat(32, 32, 24, false)}), 16, 16), nullptr);
}

// Stretching repeats pixels, colour and mask together; shrinking merges as
// the loader's stretch does: black and opaque win, a block transparent
// throughout stays so, inverting pixels included. Each pixel goes by its
// centre, a centre on a pixel boundary to the lower pixel, as the real loader
// places them (tools/raster-reference). 0 keeps the entry's size.
TEST(IconScaling, ScalingRules) {
  const struct {
    std::vector<std::string_view> art;
    int bits, width, height;
    Bytes color, mask;
  } cases[] = {
      {{"#.", " #"},
       24,
       4,
       3,
       {255, 255, 0, 0, 255, 255, 0, 0, 0, 0, 255, 255},
       {0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0}},
      {{"##  ~~#.", "##  ~~.."}, 24, 4, 1, {255, 0, 255, 0}, {0, 255, 255, 0}},
      {{"# ", "  "}, 32, 1, 1, {0}, {0}},  // alpha merges as its mask would
      {{"#.#"}, 24, 5, 1, {255, 255, 0, 255, 255}, {0, 0, 0, 0, 0}},
      {{"#."}, 24, 3, 1, {255, 255, 0}, {0, 0, 0}},
      {{"#.#"}, 24, 2, 1, {0, 255}, {0, 0}},
      {{"#.#"}, 24, 0, 2, {255, 0, 255, 255, 0, 255}, {0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const Picture art = Picture::FromArt(c.art);
    SCOPED_TRACE(::testing::Message() << c.art[0] << " to " << c.width << "x" << c.height);
    const auto icon = Decode(SingleEntry(art, c.bits, DibIconEntry(art, c.bits, c.bits == 32)),
                             c.width, c.height);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->width, c.width == 0 ? art.width : c.width);
    EXPECT_EQ(icon->color, c.color);
    EXPECT_EQ(icon->mask, c.mask);
  }
}

// Hostile and damaged input: always null, never a crash (the sanitizer
// build turns any stray read into a failure).
Bytes GoodIcon() {
  return SingleEntry(Art(), 24, DibIconEntry(Art(), 24));
}
constexpr std::size_t kEntry = 6;     // first directory entry
constexpr std::size_t kDib = 6 + 16;  // its DIB header in GoodIcon

TEST(IconHostile, EveryStrictPrefixOfAnIconIsRefused) {
  const Bytes file = GoodIcon();
  ASSERT_NE(Decode(file), nullptr);
  for (std::size_t n = 0; n < file.size(); ++n) {
    EXPECT_EQ(DecodeIcon(std::span(file.data(), n), 0, 0), nullptr) << n << " bytes";
  }
}

TEST(IconHostile, BadDirectoriesAreRefused) {
  const struct {
    std::size_t at;
    std::uint64_t value;
    int bytes;
    const char* what;
  } edits[] = {
      {2, 2, 2, "cursor"},
      {4, 0, 2, "no entries"},
      {4, 0xFFFF, 2, "entries past the directory"},
      {kEntry + 12, GoodIcon().size(), 4, "offset past the end"},
      {kEntry + 8, 0x7FFFFFFF, 4, "size past the end"},
      {kEntry + 8, 0x00000020'FFFFFFF0, 8, "offset and size wrap"},
  };
  for (const auto& edit : edits) {
    Bytes file = GoodIcon();
    if (edit.bytes == 2) PutU16(file, edit.at, static_cast<std::uint16_t>(edit.value));
    if (edit.bytes >= 4) PutU32(file, edit.at, static_cast<std::uint32_t>(edit.value));
    if (edit.bytes == 8) PutU32(file, edit.at + 4, static_cast<std::uint32_t>(edit.value >> 32));
    EXPECT_EQ(Decode(file), nullptr) << edit.what;
  }
}

TEST(IconHostile, BadDibHeadersAreRefused) {
  const auto with = [](std::size_t at, std::uint32_t value, bool wide = true) {
    Bytes file = GoodIcon();
    if (wide) {
      PutU32(file, kDib + at, value);
    } else {
      PutU16(file, kDib + at, static_cast<std::uint16_t>(value));
    }
    return file;
  };
  EXPECT_EQ(Decode(with(0, 12)), nullptr) << "core header";
  EXPECT_EQ(Decode(with(0, 0xFFFFFFFF)), nullptr) << "header longer than the data";
  EXPECT_EQ(Decode(with(4, 100000)), nullptr) << "width past the cap";
  EXPECT_EQ(Decode(with(4, 0)), nullptr) << "zero width";
  EXPECT_EQ(Decode(with(4, 0x80000000)), nullptr) << "negative width";
  EXPECT_EQ(Decode(with(8, 2 * 2000)), nullptr) << "height past the cap";
  EXPECT_EQ(Decode(with(8, static_cast<std::uint32_t>(-6))), nullptr) << "top-down icon";
  EXPECT_EQ(Decode(with(8, 0x80000000)), nullptr) << "INT_MIN height";
  EXPECT_EQ(Decode(with(14, 7, false)), nullptr) << "bit count";
  EXPECT_EQ(Decode(with(16, 1)), nullptr) << "run-length compression";
  EXPECT_EQ(Decode(with(32, 1u << 30)), nullptr) << "colour table past the cap";
  EXPECT_EQ(Decode(with(4, 1000)), nullptr) << "pixels past the end";
}

TEST(IconHostile, BadPngEntriesAndSizesAreRefused) {
  Bytes damaged = PngData(Art());
  damaged[30] ^= 0xFF;  // inside IHDR: its checksum no longer matches
  EXPECT_EQ(Decode(SingleEntry(Art(), 32, damaged)), nullptr);
  const Picture huge = Picture::Filled(2000, 1, {});
  EXPECT_EQ(Decode(SingleEntry(huge, 32, PngData(huge))), nullptr) << "width past the cap";

  const Bytes good = GoodIcon();
  EXPECT_EQ(Decode(good, -1, 10), nullptr);
  EXPECT_EQ(Decode(good, 10, 5000), nullptr);
  EXPECT_EQ(Decode(good, INT_MAX, INT_MAX), nullptr);
  EXPECT_NE(Decode(good, 1024, 1024), nullptr);
}

}  // namespace
}  // namespace korvan::testing
