// Draws the scenes of tools/raster-reference with our raster context and
// compares them with the frames the real desktop drawing API produced there.
#include <gtest/gtest.h>

#include "tests/platform/FontPins.h"
#include "tests/platform/RasterScene.h"

namespace korvan::testing {
namespace {

const Brush& White() {
  return GetStockBrush(StockBrush::White);
}

class RasterReferenceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }
  RasterScene scene;
  RasterContext& dc = scene.context;
};

TEST_F(RasterReferenceTest, RectanglesAndPixels) {
  dc.FillRect({2, 3, 10, 8}, White());
  dc.FrameRect({12, 3, 20, 8}, White());
  dc.InvertRect({5, 5, 15, 10});
  dc.FillRect({30, 10, 25, 5}, White());
  dc.FrameRect({40, 10, 35, 5}, White());
  dc.FrameRect({45, 3, 46, 8}, White());
  dc.SetPixel(50, 3, 0xFFFFFF);
  dc.SetPixel(52, 3, 0x808080);
  dc.SetPixel(54, 3, 0x818181);
  EXPECT_TRUE(MatchesGolden("reference-rectangles", scene.Art()));
}

TEST_F(RasterReferenceTest, LinesAndDottedPen) {
  dc.SelectPen(&GetStockPen(StockPen::White));
  dc.MoveTo(0, 0);
  dc.LineTo(10, 3);
  dc.LineTo(10, 10);
  dc.LineTo(0, 12);
  dc.MoveTo(15, 0);
  dc.LineTo(25, 10);
  dc.MoveTo(30, 10);
  dc.LineTo(33, 0);
  dc.MoveTo(40, 5);
  dc.LineTo(40, 5);
  const Pen dot{PenStyle::Dot, kWhite};
  dc.SelectPen(&dot);
  dc.MoveTo(50, 0);
  dc.LineTo(80, 0);
  dc.MoveTo(50, 2);
  dc.LineTo(54, 2);
  dc.LineTo(64, 2);
  dc.MoveTo(50, 4);
  dc.LineTo(50, 20);
  dc.MoveTo(80, 20);
  dc.LineTo(60, 20);
  EXPECT_TRUE(MatchesGolden("reference-lines", scene.Art()));
}

TEST_F(RasterReferenceTest, ClipIsDeviceAndViewportIsLogical) {
  dc.SelectClipRect({40, 5, 60, 20});
  dc.SetViewportOrigin({50, 10});
  dc.OffsetViewportOrigin(0, -2);
  dc.FillRect({0, 0, 20, 20}, White());
  dc.FillRect({-15, 0, -12, 3}, White());
  EXPECT_TRUE(MatchesGolden("reference-clip-and-viewport", scene.Art()));
}

TEST_F(RasterReferenceTest, TextOutAndDrawTextLayout) {
  const Font font(SansFont(-11, kWeightNormal));
  dc.SelectFont(&font);
  dc.TextOut(0, 0, u"Hello 0123");
  dc.SetBackgroundMode(kOpaque);
  dc.FillRect({0, 10, 40, 30}, White());
  dc.TextOut(2, 12, u"p 45");
  dc.SetBackgroundMode(kTransparent);
  using namespace DrawTextFormat;
  const unsigned base = kNoPrefix;
  Rect left{50, 0, 110, 12};
  dc.DrawText(u"L&1", left, base | kLeft, nullptr);
  Rect centre{50, 12, 110, 24};
  dc.DrawText(u"12 34", centre, base | kCenter, nullptr);
  Rect right{50, 24, 110, 36};
  dc.DrawText(u"123 4", right, base | kRight, nullptr);
  Rect wrap{115, 0, 160, 30};
  dc.DrawText(u"one two three four", wrap, base | kWordBreak, nullptr);
  Rect cut{0, 32, 30, 43};
  dc.DrawText(u"cut at the edge", cut, base, nullptr);
  DrawTextParams params{0, 1, 1, 0};
  Rect marginLeft{50, 36, 110, 43};
  dc.DrawText(u"0", marginLeft, base, &params);
  Rect marginRight{135, 31, 160, 43};
  dc.DrawText(u"0", marginRight, base | kRight, &params);
  Rect prefix{115, 31, 135, 43};
  dc.DrawText(u"&ab", prefix, 0, nullptr);
  EXPECT_TRUE(MatchesGolden("reference-text", scene.Art()));
}

TEST_F(RasterReferenceTest, TextSizesOfTheScreens) {
  const struct { int height, weight, y; } rows[] = {{-9, 400, 0}, {-11, 400, 10}, {-16, 700, 23}};
  for (const auto& row : rows) {
    const Font font(SansFont(row.height, row.weight));
    dc.SelectFont(&font);
    dc.TextOut(0, row.y, u"0123456789 -.:%");
    dc.TextOut(100, row.y, u"ALT km/h");
  }
  EXPECT_TRUE(MatchesGolden("reference-sizes", scene.Art()));
}

}  // namespace
}  // namespace korvan::testing
