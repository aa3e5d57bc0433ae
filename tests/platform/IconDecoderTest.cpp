#include <gtest/gtest.h>

#include <climits>

#include "platform/IconDecoder.h"
#include "platform/IconDirectory.h"
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

TEST(IconAlpha, ThirtyTwoBitAlphaDecidesOverTheMaskAndBlanksTransparentColour) {
  Bytes entry = DibIconEntry(Art(), 32, true);
  // Clear the AND mask: were it used, nothing would be transparent.
  const std::size_t maskBytes = 4 * static_cast<std::size_t>(Art().height);
  std::fill(entry.end() - static_cast<long>(maskBytes), entry.end(), 0);
  const auto icon = Decode(SingleEntry(Art(), 32, entry));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->mask, ExpectedMask(Art()));
  EXPECT_EQ(icon->color, ExpectedColor(Art(), true)) << "'~' pixels must not invert";
}

TEST(IconAlpha, ThirtyTwoBitAlphaIconNeedsNoMask) {
  Bytes entry = DibIconEntry(Art(), 32, true);
  entry.resize(entry.size() - 4 * static_cast<std::size_t>(Art().height));
  const auto icon = Decode(SingleEntry(Art(), 32, entry));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->mask, ExpectedMask(Art()));
}

TEST(IconAlpha, PngEntryUsesItsAlpha) {
  const auto icon = Decode(SingleEntry(Art(), 32, PngData(Art())));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->width, Art().width);
  EXPECT_EQ(icon->color, ExpectedColor(Art(), true));
  EXPECT_EQ(icon->mask, ExpectedMask(Art()));
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

TEST(IconEntryChoice, ExactSizeBeatsDepthAndOrder) {
  const Bytes file = IconFile({Flat(32, 32, 32, false), Flat(16, 16, 4, true)});
  EXPECT_TRUE(PicksWhite(file, 16, 16));
  EXPECT_FALSE(PicksWhite(file, 32, 32));
}

TEST(IconEntryChoice, ClosestSizeWinsAndEqualDistanceGoesToTheLarger) {
  const Bytes file = IconFile({Flat(16, 16, 32, false), Flat(48, 48, 32, true)});
  EXPECT_FALSE(PicksWhite(file, 24, 24)) << "16 is 16 away, 48 is 48 away";
  EXPECT_TRUE(PicksWhite(file, 40, 40));
  EXPECT_TRUE(PicksWhite(file, 32, 32)) << "a tie goes to the larger picture";
  EXPECT_TRUE(PicksWhite(file, 0, 0)) << "no requested size: the largest";
}

TEST(IconEntryChoice, SameSizePrefersHigherDepthThenTheEarlierEntry) {
  EXPECT_TRUE(PicksWhite(IconFile({Flat(16, 16, 8, false), Flat(16, 16, 24, true)}), 16, 16));
  EXPECT_FALSE(PicksWhite(IconFile({Flat(16, 16, 24, false), Flat(16, 16, 24, true)}), 16, 16));
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

TEST(IconScaling, NearestNeighbourStretchesColourAndMaskTogether) {
  const Picture art = Picture::FromArt({"#.", " #"});
  const auto icon = Decode(SingleEntry(art, 24, DibIconEntry(art, 24)), 4, 6);
  ASSERT_NE(icon, nullptr);
  ASSERT_EQ(icon->width, 4);
  ASSERT_EQ(icon->height, 6);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool transparent = x < 2 && y >= 3;
      EXPECT_EQ(icon->TransparentAt(x, y), transparent) << x << "," << y;
      EXPECT_EQ(icon->ColorAt(x, y), (x < 2) == (y < 3) ? 255 : 0) << x << "," << y;
    }
  }
}

// Shrinking merges as the loader's stretch does: black and opaque win, a
// block transparent throughout stays so, inverting pixels included.
TEST(IconScaling, ShrinkingKeepsTheBlackAndOpaquePixelsOfEachMergedBlock) {
  const Picture art = Picture::FromArt({"##  ~~#.", "##  ~~.."});
  const auto icon = Decode(SingleEntry(art, 24, DibIconEntry(art, 24)), 4, 1);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->color, (Bytes{255, 0, 255, 0}));
  EXPECT_EQ(icon->mask, (Bytes{0, 255, 255, 0}));
}

TEST(IconScaling, AlphaPicturesMergeAsTheirMaskWould) {
  const Picture art = Picture::FromArt({"# ", "  "});
  const auto icon = Decode(SingleEntry(art, 32, DibIconEntry(art, 32, true)), 1, 1);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->mask, Bytes{0});
  EXPECT_EQ(icon->color, Bytes{0});
}

// Each pixel goes by its centre, a centre on a pixel boundary to the lower
// pixel, as the real loader places them (tools/raster-reference).
TEST(IconScaling, PixelsArePlacedByTheirCentreWithBoundariesGoingLow) {
  const Picture three = Picture::FromArt({"#.#"});
  const Picture two = Picture::FromArt({"#."});
  auto decode = [](const Picture& p, int w) {
    return Decode(SingleEntry(p, 24, DibIconEntry(p, 24)), w, 1);
  };
  const auto five = decode(three, 5);
  const auto widened = decode(two, 3);
  const auto narrowed = decode(three, 2);
  ASSERT_NE(five, nullptr);
  ASSERT_NE(widened, nullptr);
  ASSERT_NE(narrowed, nullptr);
  EXPECT_EQ(five->color, (Bytes{255, 255, 0, 255, 255}));
  EXPECT_EQ(widened->color, (Bytes{255, 255, 0}));
  EXPECT_EQ(narrowed->color, (Bytes{0, 255}));
}

TEST(IconScaling, ZeroKeepsTheEntrySizeInThatDirection) {
  const auto icon = Decode(SingleEntry(Art(), 24, DibIconEntry(Art(), 24)), 0, 12);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->width, Art().width);
  EXPECT_EQ(icon->height, 12);
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
  Bytes cursor = GoodIcon();
  PutU16(cursor, 2, 2);
  Bytes noEntries = GoodIcon();
  PutU16(noEntries, 4, 0);
  Bytes offsetPastEnd = GoodIcon();
  PutU32(offsetPastEnd, kEntry + 12, static_cast<std::uint32_t>(offsetPastEnd.size()));
  Bytes sizePastEnd = GoodIcon();
  PutU32(sizePastEnd, kEntry + 8, 0x7FFFFFFF);
  Bytes wrapping = GoodIcon();
  PutU32(wrapping, kEntry + 8, 0xFFFFFFF0);
  PutU32(wrapping, kEntry + 12, 0x20);
  Bytes manyEntries = GoodIcon();
  PutU16(manyEntries, 4, 0xFFFF);  // the directory runs out long before
  for (const Bytes* file :
       {&cursor, &noEntries, &offsetPastEnd, &sizePastEnd, &wrapping, &manyEntries}) {
    EXPECT_EQ(Decode(*file), nullptr);
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
