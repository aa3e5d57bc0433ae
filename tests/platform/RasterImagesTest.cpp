#include <gtest/gtest.h>

#include <string>

#include "platform/raster/RasterContext.h"
#include "tests/platform/RasterScene.h"

namespace korvan::testing {
namespace {

// One row of the scene as '#' and '.', columns [from, to).
std::string RowOf(const RasterScene& scene, int y, int from, int to) {
  std::string row;
  for (int x = from; x < to; ++x) row += scene.Lit(x, y) ? '#' : '.';
  return row;
}

// 0011 on every row.
BitmapImage HalfLit(int height) {
  BitmapImage image{4, height, std::vector<std::uint8_t>(4 * static_cast<std::size_t>(height))};
  for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = i % 4 < 2 ? 0 : 255;
  return image;
}

TEST(RasterBitBlt, CopiesOnlyWhatTheSourceHoldsThroughViewportAndClip) {
  RasterScene scene;
  const BitmapImage source = HalfLit(2);
  scene.context.FillRect({0, 0, 20, 1}, GetStockBrush(StockBrush::White));
  // A window from source column -2 to 7 and rows 0 to 3: only 4 × 2 exist,
  // the rest leaves the canvas as it was.
  scene.context.BitBlt(0, 0, 10, 4, source, -2, 0);
  EXPECT_EQ(RowOf(scene, 0, 0, 10), "##..######");
  EXPECT_EQ(RowOf(scene, 1, 0, 10), "....##....");
  EXPECT_EQ(RowOf(scene, 2, 0, 10), "..........");

  scene.context.SetViewportOrigin({20, 5});
  scene.context.SelectClipRect({22, 0, 23, 43});
  scene.context.BitBlt(0, 0, 4, 2, source, 0, 0);
  EXPECT_EQ(RowOf(scene, 5, 20, 24), "..#.") << "one column through the clip";
  scene.context.RemoveClip();
  scene.context.BitBlt(0, 4, 0, 2, source, 0, 0);
  scene.context.BitBlt(0, 4, 4, -1, source, 0, 0);
  BitmapImage broken = source;
  broken.pixels.resize(7);  // claims 4 × 2, holds 7 bytes
  scene.context.BitBlt(0, 4, 4, 2, broken, 0, 0);
  EXPECT_EQ(RowOf(scene, 9, 20, 24), "....") << "empty extents and short planes copy nothing";
}

TEST(RasterBitBlt, CombinesSourceCanvasAndBrushByTheTernaryCode) {
  RasterScene scene;
  const BitmapImage source = HalfLit(1);
  const struct {
    std::uint32_t rop;
    const char* expected;  // over a canvas of 0101
  } cases[] = {
      {RasterOp::kSrcCopy, "..##"},
      {RasterOp::kSrcPaint, ".###"},
      {RasterOp::kSrcAnd, "...#"},
      {RasterOp::kSrcInvert, ".##."},
      {RasterOp::kNotSrcCopy, "##.."},
      {RasterOp::kDstInvert, "#.#."},
      {RasterOp::kBlackness, "...."},
      {RasterOp::kWhiteness, "####"},
      {0x00F00021 /* pattern copy, white brush */, "####"},
  };
  int y = 0;
  for (const auto& c : cases) {
    scene.context.FillRect({1, y, 2, y + 1}, GetStockBrush(StockBrush::White));
    scene.context.FillRect({3, y, 4, y + 1}, GetStockBrush(StockBrush::White));
    scene.context.BitBlt(0, y, 4, 1, source, 0, 0, c.rop);
    EXPECT_EQ(RowOf(scene, y, 0, 4), c.expected) << std::hex << c.rop;
    ++y;
  }
}

TEST(RasterDrawIcon, StretchesAndClipsTheMaskWithTheColour) {
  RasterScene scene;
  // Top row: opaque white, opaque black, see-through, inverting.
  IconImage icon{4, 2, {255, 0, 0, 255, 0, 0, 0, 0}, {0, 0, 255, 255, 0, 0, 0, 0}};
  // At their own size the reference-icons-masks golden pins the four kinds.
  scene.context.SetViewportOrigin({20, 10});
  scene.context.DrawIcon(0, 0, icon, 8, 4);   // twice as large
  scene.context.DrawIcon(10, 0, icon, 2, 1);  // halved: source columns 0 and 2
  EXPECT_EQ(RowOf(scene, 10, 20, 32), "##....##..#.");
  EXPECT_EQ(RowOf(scene, 11, 20, 32), "##....##....");
  EXPECT_EQ(RowOf(scene, 12, 20, 28), "........");

  scene.context.SelectClipRect({41, 0, 42, 43});
  scene.context.DrawIcon(20, 0, icon, 8, 4);
  EXPECT_EQ(RowOf(scene, 10, 40, 44), ".#..") << "one column through the clip";
  scene.context.RemoveClip();
  IconImage broken = icon;
  broken.mask.pop_back();
  scene.context.DrawIcon(0, 20, icon, -4, 2);
  scene.context.DrawIcon(0, 20, broken, 4, 2);
  EXPECT_EQ(RowOf(scene, 30, 20, 24), "....") << "negative sizes and short planes draw nothing";
}

}  // namespace
}  // namespace korvan::testing
