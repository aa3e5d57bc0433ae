#include <gtest/gtest.h>

#include <string>

#include "platform/RasterContext.h"
#include "tests/platform/RasterScene.h"

namespace korvan::testing {
namespace {

// A bitmap whose pixel (x, y) is lit where `lit` says so.
template <typename Lit>
BitmapImage MakeBitmap(int width, int height, Lit lit) {
  BitmapImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.pixels.push_back(lit(x, y) ? 255 : 0);
  }
  return image;
}

// One row of the scene as '#' and '.', columns [from, to).
std::string RowOf(const RasterScene& scene, int y, int from, int to) {
  std::string row;
  for (int x = from; x < to; ++x) row += scene.Lit(x, y) ? '#' : '.';
  return row;
}

// A 4 × 2 icon: top row opaque white, black, transparent, inverting; bottom
// row the same shifted by one.
IconImage MakeIcon() {
  IconImage icon{4, 2, {}, {}};
  icon.color = {255, 0, 0, 255, 255, 255, 0, 0};
  icon.mask = {0, 0, 255, 255, 255, 0, 0, 255};
  return icon;
}

TEST(RasterBitBlt, CopiesTheWindowThroughViewportAndClip) {
  RasterScene scene;
  const BitmapImage stripes = MakeBitmap(8, 3, [](int x, int) { return x % 2 == 0; });
  scene.context.SetViewportOrigin({10, 5});
  scene.context.BitBlt(0, 0, 4, 2, stripes, 3, 1);
  EXPECT_EQ(RowOf(scene, 5, 8, 16), "...#.#..") << "source column 3 at x 10 is dark, 4 lit";
  EXPECT_EQ(RowOf(scene, 6, 8, 16), "...#.#..");
  EXPECT_EQ(RowOf(scene, 7, 8, 16), "........") << "cy rows only";

  scene.context.SelectClipRect({30, 0, 32, 43});
  scene.context.BitBlt(18, 0, 8, 1, stripes, 0, 0);
  EXPECT_EQ(RowOf(scene, 5, 26, 36), "....#.....") << "cut to the clip's two columns";
}

TEST(RasterBitBlt, LeavesTheCanvasWhereTheWindowLeavesTheSource) {
  RasterScene scene;
  const BitmapImage lit = MakeBitmap(4, 2, [](int, int) { return true; });
  const Brush& white = GetStockBrush(StockBrush::White);
  scene.context.FillRect({0, 0, 20, 1}, white);
  // Window from source column -2 to 8: only columns 0..3 exist.
  scene.context.BitBlt(0, 0, 10, 4, lit, -2, 0);
  scene.context.BitBlt(0, 10, 0, 4, lit, 0, 0);
  scene.context.BitBlt(0, 10, 4, -1, lit, 0, 0);
  EXPECT_EQ(RowOf(scene, 0, 0, 12), "############") << "white stays white left and right";
  EXPECT_EQ(RowOf(scene, 1, 0, 12), "..####......");
  EXPECT_EQ(RowOf(scene, 2, 0, 12), "............") << "source has two rows only";
  EXPECT_EQ(RowOf(scene, 10, 0, 6), "......") << "non-positive extents copy nothing";

  BitmapImage broken = lit;
  broken.pixels.resize(3);  // claims 4 × 2, holds 3 bytes
  scene.context.BitBlt(0, 20, 4, 2, broken, 0, 0);
  EXPECT_EQ(RowOf(scene, 20, 0, 4), "....") << "a short pixel plane draws nothing";
}

TEST(RasterBitBlt, CombinesSourceCanvasAndBrushByTheTernaryCode) {
  RasterScene scene;
  // Source 0011, canvas 0101 on every tested row.
  const BitmapImage source = MakeBitmap(4, 1, [](int x, int) { return x >= 2; });
  const Brush& white = GetStockBrush(StockBrush::White);
  struct Case {
    std::uint32_t rop;
    const char* expected;
  };
  const Case cases[] = {
      {RasterOp::kSrcCopy, "..##"},
      {RasterOp::kSrcPaint, ".###"},
      {RasterOp::kSrcAnd, "...#"},
      {RasterOp::kSrcInvert, ".##."},
      {RasterOp::kNotSrcCopy, "##.."},
      {RasterOp::kDstInvert, "#.#."},
      {RasterOp::kBlackness, "...."},
      {RasterOp::kWhiteness, "####"},
      {0x00F00021 /* pattern copy */, "####"},
  };
  int y = 0;
  for (const Case& c : cases) {
    scene.context.FillRect({1, y, 2, y + 1}, white);
    scene.context.FillRect({3, y, 4, y + 1}, white);
    scene.context.BitBlt(0, y, 4, 1, source, 0, 0, c.rop);
    EXPECT_EQ(RowOf(scene, y, 0, 4), c.expected) << std::hex << c.rop;
    ++y;
  }
}

TEST(RasterDrawIcon, DrawsThroughTheMask) {
  RasterScene scene;
  const IconImage icon = MakeIcon();
  scene.context.FillRect({0, 0, 8, 2}, GetStockBrush(StockBrush::White));
  scene.context.DrawIcon(0, 0, icon, 0, 0);  // its own size
  scene.context.DrawIcon(4, 0, icon, 4, 2);
  scene.context.DrawIcon(0, 4, icon, 4, 2);  // over black
  EXPECT_EQ(RowOf(scene, 0, 0, 8), "#.#.#.#.") << "white, black, kept, inverted";
  EXPECT_EQ(RowOf(scene, 1, 0, 8), ".#.#.#.#") << "inverted, white, black, kept";
  EXPECT_EQ(RowOf(scene, 4, 0, 4), "#..#");
  EXPECT_EQ(RowOf(scene, 5, 0, 4), "##..");
}

TEST(RasterDrawIcon, StretchesToTheRequestedSizeWithinViewportAndClip) {
  RasterScene scene;
  const IconImage icon = MakeIcon();
  scene.context.SetViewportOrigin({20, 10});
  scene.context.DrawIcon(0, 0, icon, 8, 4);  // twice as large
  EXPECT_EQ(RowOf(scene, 10, 20, 28), "##....##");
  EXPECT_EQ(RowOf(scene, 11, 20, 28), "##....##");
  EXPECT_EQ(RowOf(scene, 12, 20, 28), "####....");
  EXPECT_EQ(RowOf(scene, 14, 20, 28), "........");

  scene.context.DrawIcon(20, 0, icon, 2, 1);  // halved: columns 0 and 2 of row 0
  EXPECT_EQ(RowOf(scene, 10, 40, 43), "#..");

  scene.context.SelectClipRect({61, 0, 62, 43});
  scene.context.DrawIcon(40, 0, icon, 8, 4);
  EXPECT_EQ(RowOf(scene, 10, 60, 64), ".#..") << "one column through the clip";

  scene.context.DrawIcon(0, 20, icon, -4, 2);
  IconImage broken = icon;
  broken.mask.pop_back();
  scene.context.SetViewportOrigin({0, 0});
  scene.context.RemoveClip();
  scene.context.DrawIcon(0, 30, broken, 4, 2);
  EXPECT_EQ(RowOf(scene, 30, 0, 4), "....") << "a short mask plane draws nothing";
}

}  // namespace
}  // namespace korvan::testing
