#include <gtest/gtest.h>

#include "platform/images/BitmapDecoder.h"
#include "tests/platform/ImageBuilders.h"

namespace korvan::testing {
namespace {

const Picture& Art() {
  static const Picture art = Picture::FromArt({
      "#..#.##",
      ".##..#.",
      "###....",
      "..#.###",
  });
  return art;
}

std::unique_ptr<BitmapImage> Decode(const Bytes& file) {
  return DecodeBitmap(file);
}

struct Layout {
  int bits;
  bool topDown;
};

class BitmapLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(BitmapLayout, DecodesEveryPixelTopRowFirst) {
  const auto bitmap = Decode(BmpFile(Art(), GetParam().bits, GetParam().topDown));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->width, Art().width);
  EXPECT_EQ(bitmap->height, Art().height);
  EXPECT_EQ(bitmap->pixels, ExpectedColor(Art(), false));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BitmapLayout,
                         ::testing::Values(Layout{1, false}, Layout{1, true}, Layout{4, false},
                                           Layout{8, true}, Layout{16, false}, Layout{24, false},
                                           Layout{24, true}, Layout{32, false}, Layout{32, true}));

TEST(BitmapPixels, LuminanceDecidesAndAlphaIsIgnored) {
  Picture p = Picture::Filled(5, 1, {});
  p.pixels = {{0, 255, 0, 255},
              {0, 0, 255, 255},
              {128, 128, 128, 255},
              {127, 127, 127, 255},
              {255, 255, 255, 0}};
  const auto bitmap = Decode(BmpFile(p, 32));
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixels, (Bytes{255, 0, 255, 0, 255}));
}

TEST(BitmapPixels, IndexPastTheColourTableReadsBlack) {
  // A one-entry table (white); index 3 of a 4-bit pixel has none.
  const Picture white = Picture::Filled(2, 1, {255, 255, 255});
  Bytes file = BmpFile(white, 4);
  ASSERT_EQ(file.size(), 14u + 40 + 4 + 4);
  file[file.size() - 4] = 0x03;  // pixels: index 0, then 3
  const auto bitmap = Decode(file);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixels, (Bytes{255, 0}));
}

TEST(BitmapPixels, BitFieldsMasksAreHonoured) {
  // 16 bits, 5-6-5: the 6-bit green of 0x07E0 alone is bright enough.
  Bytes file{'B', 'M'};
  file.resize(14 + 40 + 12 + 4);
  PutU32(file, 10, 14 + 40 + 12);
  PutU32(file, 14, 40);
  PutU32(file, 18, 2);
  PutU32(file, 22, 1);
  PutU16(file, 26, 1);
  PutU16(file, 28, 16);
  PutU32(file, 30, 3);  // bit fields
  PutU32(file, 54, 0xF800);
  PutU32(file, 58, 0x07E0);
  PutU32(file, 62, 0x001F);
  PutU16(file, 66, 0x07E0);
  PutU16(file, 68, 0x001F);
  const auto bitmap = Decode(file);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->pixels, (Bytes{255, 0}));
}

TEST(BitmapHostile, EveryStrictPrefixIsRefused) {
  const Bytes file = BmpFile(Art(), 8);
  ASSERT_NE(Decode(file), nullptr);
  for (std::size_t n = 0; n < file.size(); ++n) {
    EXPECT_EQ(DecodeBitmap(std::span(file.data(), n)), nullptr) << n << " bytes";
  }
}

TEST(BitmapHostile, BadHeadersAreRefused) {
  const auto with = [](std::size_t at, std::uint32_t value) {
    Bytes file = BmpFile(Art(), 24);
    PutU32(file, at, value);
    return file;
  };
  EXPECT_EQ(Decode(with(0, 0x4D42 ^ 0x0101)), nullptr) << "signature";
  EXPECT_EQ(Decode(with(10, 4)), nullptr) << "pixels inside the file header";
  EXPECT_EQ(Decode(with(10, 0xFFFFFFF0)), nullptr) << "pixels past the end";
  EXPECT_EQ(Decode(with(14 + 4, 5000)), nullptr) << "width past the cap";
  EXPECT_EQ(Decode(with(14 + 8, 0x80000000)), nullptr) << "INT_MIN height";
  EXPECT_EQ(Decode(with(14 + 8, static_cast<std::uint32_t>(-5000))), nullptr) << "tall top-down";
  EXPECT_EQ(Decode(with(14 + 16, 1)), nullptr) << "RLE8";
  EXPECT_EQ(Decode(with(14 + 16, 2)), nullptr) << "RLE4";
  EXPECT_EQ(Decode(with(14 + 16, 3)), nullptr) << "bit fields at 24 bits";
  EXPECT_EQ(Decode(with(14 + 32, 257)), nullptr) << "colour table past the cap";
}

}  // namespace
}  // namespace korvan::testing
