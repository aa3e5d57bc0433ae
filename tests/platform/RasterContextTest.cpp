#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/platform/FontPins.h"
#include "tests/platform/RasterScene.h"

namespace korvan::testing {
namespace {

using namespace DrawTextFormat;

const Brush& White() {
  return GetStockBrush(StockBrush::White);
}

int CountLit(const RasterScene& scene) {
  int lit = 0;
  for (int y = 0; y < 43; ++y) {
    for (int x = 0; x < 160; ++x) lit += scene.Lit(x, y) ? 1 : 0;
  }
  return lit;
}

TEST(RasterContextState, SettersAndSelectorsReturnThePreviousValue) {
  RasterContext dc;
  EXPECT_EQ(dc.SetTextColor(kWhite), kBlack);
  EXPECT_EQ(dc.SetTextColor(kBlack), kWhite);
  EXPECT_EQ(dc.SetBackgroundColor(kBlack), kWhite);
  EXPECT_EQ(dc.SetBackgroundMode(kTransparent), kOpaque);
  EXPECT_EQ(dc.SetBackgroundMode(7), 0) << "an unknown mode is refused";
  EXPECT_EQ(dc.State().backgroundMode, kTransparent);
  EXPECT_EQ(dc.SetMapMode(kMapModeText), kMapModeText);

  const Font& stock = Font::StockGui();
  const Font other(SansFont(-16, kWeightBold));
  EXPECT_EQ(dc.SelectFont(&other), &stock);
  EXPECT_EQ(dc.SelectFont(nullptr), nullptr) << "selecting null keeps the font";
  EXPECT_EQ(dc.SelectFont(&stock), &other);

  const Pen& white = GetStockPen(StockPen::White);
  EXPECT_EQ(dc.SelectPen(&white), &GetStockPen(StockPen::Black));
  EXPECT_EQ(dc.SelectBrush(&GetStockBrush(StockBrush::Black)), &GetStockBrush(StockBrush::White));

  EXPECT_EQ(dc.SetViewportOrigin({3, 4}), (Point{0, 0}));
  EXPECT_EQ(dc.OffsetViewportOrigin(-1, 2), (Point{3, 4}));
  EXPECT_EQ(dc.State().viewportOrigin, (Point{2, 6}));
}

TEST(RasterContextState, GuardPutsEverythingBack) {
  RasterScene scene;
  RasterContext& dc = scene.context;
  const RasterState before = dc.State();
  const Font font(SansFont(-9, kWeightNormal));
  {
    RasterStateGuard guard(dc);
    dc.SelectFont(&font);
    dc.SelectClipRect({1, 1, 5, 5});
    dc.SetViewportOrigin({10, 10});
    dc.SetTextColor(kBlack);
    dc.SetBackgroundMode(kOpaque);
    dc.MoveTo(3, 3);
  }
  EXPECT_EQ(dc.State().font, before.font);
  EXPECT_FALSE(dc.State().clip.has_value());
  EXPECT_EQ(dc.State().viewportOrigin, before.viewportOrigin);
  EXPECT_EQ(dc.State().textColor, kWhite);
  EXPECT_EQ(dc.State().backgroundMode, kTransparent);
  EXPECT_EQ(dc.State().currentPosition, before.currentPosition);
}

TEST(RasterContextDrawing, NothingIsWrittenWithoutASurface) {
  RasterContext dc;
  Rect rect{0, 0, 50, 20};
  dc.FillRect(rect, White());
  dc.InvertRect(rect);
  dc.SetPixel(1, 1, kWhite);
  dc.LineTo(30, 30);
  dc.TextOut(0, 0, u"text");
  EXPECT_GT(dc.DrawText(u"text", rect, kNoPrefix, nullptr), 0);
}

TEST(RasterContextDrawing, WritesOnlyTheTwoByteValues) {
  RasterScene scene;
  scene.context.FillRect({0, 0, 10, 10}, GetStockBrush(StockBrush::White));
  scene.context.InvertRect({5, 5, 15, 15});
  for (int y = 0; y < 43; ++y) {
    for (int x = 0; x < 160; ++x) {
      const std::uint8_t value = scene.surface->Bits()[y * 160 + x];
      ASSERT_TRUE(value == kBlackPixel || value == kWhitePixel) << x << "," << y;
    }
  }
  EXPECT_EQ(scene.surface->Bits()[0], 255);
  EXPECT_EQ(scene.surface->Bits()[5 * 160 + 5], 0) << "white inverted turns black";
  EXPECT_EQ(scene.surface->Bits()[14 * 160 + 14], 255) << "black inverted turns white";
}

TEST(RasterContextDrawing, EverythingStaysInsideTheSurface) {
  RasterScene scene;
  RasterContext& dc = scene.context;
  dc.SetViewportOrigin({-1000, -1000});
  dc.FillRect({-5000, -5000, 5000, 5000}, White());
  dc.InvertRect({-5000, -5000, 5000, 5000});
  dc.FrameRect({1000, 1000, 1160, 1043}, White());
  EXPECT_EQ(CountLit(scene), 2 * 160 + 2 * 41) << "only the frame's inner edge shows";
  dc.SetPixel(999, 1000, kWhite);
  dc.SetPixel(1160, 1000, kWhite);
  dc.SetPixel(1000, 1043, kWhite);
  dc.SelectPen(&GetStockPen(StockPen::White));
  dc.MoveTo(-100000, 1020);
  dc.LineTo(100000, 1020);
  EXPECT_EQ(CountLit(scene), 2 * 160 + 2 * 41 + 158);
}

TEST(RasterContextDrawing, LinesFromFarAwayHitTheSamePixelsAsWhenDrawnWhole) {
  // The same lines on a surface large enough to hold them whole, and through
  // a 160 × 43 window onto its middle.
  const auto whole = PixelSurface::Create(4000, 1000);
  RasterContext big;
  big.SelectSurface(whole.get());
  big.SelectPen(&GetStockPen(StockPen::White));
  RasterScene scene;
  RasterContext& dc = scene.context;
  dc.SelectPen(&GetStockPen(StockPen::White));
  dc.SetViewportOrigin({-1920, -480});
  const Pen dot{PenStyle::Dot, kWhite};
  const struct {
    int x1, y1, x2, y2;
    bool dotted;
  } lines[] = {{0, 0, 3999, 999, false},  {3999, 0, 0, 999, true},     {1990, 0, 1995, 999, false},
               {0, 510, 3999, 490, true}, {1930, 999, 2060, 0, false}, {0, 999, 2000, 480, false}};
  for (const auto& line : lines) {
    for (RasterContext* context : {&big, &dc}) {
      if (line.dotted) context->SelectPen(&dot);
      context->MoveTo(line.x1, line.y1);
      context->LineTo(line.x2, line.y2);
      context->SelectPen(&GetStockPen(StockPen::White));
    }
  }
  for (int y = 0; y < 43; ++y) {
    for (int x = 0; x < 160; ++x) {
      ASSERT_EQ(scene.Lit(x, y), whole->Row(480 + y)[1920 + x] > 128) << x << "," << y;
    }
  }
}

TEST(RasterContextDrawing, ExtremeCoordinatesNeitherOverflowNorHang) {
  RasterScene scene;
  RasterContext& dc = scene.context;
  dc.SelectPen(&GetStockPen(StockPen::White));
  dc.MoveTo(INT_MIN, INT_MIN);
  dc.LineTo(INT_MAX, INT_MAX);
  dc.MoveTo(INT_MIN, 20);
  dc.LineTo(INT_MAX, 20);
  EXPECT_EQ(CountLit(scene), 43 + 160 - 1);
  dc.SetViewportOrigin({INT_MAX, INT_MAX});
  dc.OffsetViewportOrigin(INT_MAX, INT_MAX);
  dc.FillRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, White());
  dc.FrameRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, White());
  dc.InvertRect({INT_MAX, INT_MAX, INT_MIN, INT_MIN});
  dc.SetPixel(INT_MAX, INT_MAX, kWhite);
  dc.TextOut(INT_MAX, INT_MAX, u"88");
  Rect rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  dc.DrawText(u"8 8\n8", rect, kCenter | kWordBreak, nullptr);
  dc.DrawText(u"8 8\n8", rect, kRight | kCalcRect, nullptr);
  dc.SetViewportOrigin({0, 0});
  dc.FillRect({INT_MAX, 0, INT_MIN, 43}, White());
  EXPECT_EQ(CountLit(scene), 160 * 43);
}

TEST(RasterContextDrawing, ClipStaysPutWhenTheViewportMoves) {
  RasterScene scene;
  RasterContext& dc = scene.context;
  dc.SelectClipRect({10, 10, 20, 20});
  dc.SetViewportOrigin({15, 15});
  dc.FillRect({-100, -100, 100, 100}, White());
  EXPECT_EQ(CountLit(scene), 100);
  EXPECT_TRUE(scene.Lit(10, 10));
  EXPECT_FALSE(scene.Lit(20, 20));
  dc.RemoveClip();
  dc.FillRect({-15, -15, 145, 28}, White());
  EXPECT_EQ(CountLit(scene), 160 * 43);
}

TEST(RasterContextDrawing, EmptyAndBackwardsClipShowsNothing) {
  RasterScene scene;
  scene.context.SelectClipRect({20, 20, 10, 30});
  scene.context.FillRect({0, 0, 160, 43}, White());
  scene.context.TextOut(0, 0, u"888");
  EXPECT_EQ(CountLit(scene), 0);
}

class RasterTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }
  void SetUp() override { scene.context.SelectFont(&font); }

  Rect Calculate(std::u16string_view text, int width, unsigned format,
                 DrawTextParams* params = nullptr) {
    Rect rect{0, 0, width, 10};
    scene.context.DrawText(text, rect, format | kCalcRect | kNoPrefix, params);
    return rect;
  }

  RasterScene scene;
  const Font font{SansFont(-11, kWeightNormal)};
};

// Extents measured with the reference implementation (tools/raster-reference).
TEST_F(RasterTextTest, CalculatedRectanglesMatchTheReference) {
  EXPECT_EQ(Calculate(u"0123", 100, 0), (Rect{0, 0, 24, 12}));
  EXPECT_EQ(Calculate(u"abcdefghijklmnop qr", 20, kWordBreak).bottom, 24)
      << "a word wider than the rectangle stays whole on its own line";
  EXPECT_EQ(Calculate(u"0123", 0, kWordBreak), (Rect{0, 0, 24, 12}));
  EXPECT_EQ(Calculate(u"a  b", 10, kWordBreak), (Rect{0, 0, 9, 24}))
      << "a space that fits stays on the line";
  EXPECT_EQ(Calculate(u"a   b", 10, kWordBreak), (Rect{0, 0, 9, 24}));
  EXPECT_EQ(Calculate(u"a b  ", 10, kWordBreak), (Rect{0, 0, 9, 24}));
  EXPECT_EQ(Calculate(u"ab  ", 100, kWordBreak), (Rect{0, 0, 18, 12}));
  // The reference gives 41: it measures some letters a pixel wider than it
  // draws them ('o' and 'w' here). We measure what we draw.
  EXPECT_EQ(Calculate(u"one two three four", 45, kWordBreak), (Rect{0, 0, 40, 36}));
  EXPECT_EQ(Calculate(u"", 100, 0), (Rect{0, 0, 0, 0}));
  EXPECT_EQ(Calculate(u"", 100, kSingleLine), (Rect{0, 0, 0, 12}));
  EXPECT_EQ(Calculate(u"A\n", 100, 0).bottom, 12) << "a final break opens no line";
  EXPECT_EQ(Calculate(u"\n\n", 100, 0), (Rect{0, 0, 0, 24}));
  EXPECT_EQ(Calculate(u"A\r\nB", 100, 0).bottom, 24);
  EXPECT_EQ(Calculate(u"A\n\rB", 100, 0).bottom, 24);
  EXPECT_EQ(Calculate(u"A\n\nB", 100, 0).bottom, 36);
  EXPECT_EQ(Calculate(u"A\r\rB", 100, 0).bottom, 36);
}

TEST_F(RasterTextTest, MarginsArePixelsAndWidenTheCalculatedRectangle) {
  DrawTextParams params{0, 1, 1, 0};
  EXPECT_EQ(Calculate(u"0", 100, 0, &params).right, 8);
  params = {0, 2, 0, 0};
  EXPECT_EQ(Calculate(u"0", 100, 0, &params).right, 8);
}

TEST_F(RasterTextTest, WordBreakMovesWholeWordsAndDropsTheSpacesAtTheBreak) {
  const int width = scene.context.GetTextExtent(u"00 00").cx;
  EXPECT_EQ(Calculate(u"00 00 00", width, kWordBreak), (Rect{0, 0, width, 24}));
  EXPECT_EQ(Calculate(u"00 00    00", width, kWordBreak), (Rect{0, 0, width, 24}));
  EXPECT_EQ(Calculate(u"00 00 00", width - 1, kWordBreak), (Rect{0, 0, 12, 36}));
  EXPECT_EQ(Calculate(u"00 00 00", width, 0), (Rect{0, 0, width + 3 + 12, 12}))
      << "without word break a line is as wide as it needs";
}

TEST_F(RasterTextTest, AlignmentPlacesTheLineInTheRectangle) {
  Rect left{10, 0, 40, 12};
  Rect centre{10, 12, 40, 24};
  Rect right{10, 24, 40, 36};
  scene.context.DrawText(u"0", left, kNoPrefix | kLeft, nullptr);
  scene.context.DrawText(u"0", centre, kNoPrefix | kCenter, nullptr);
  scene.context.DrawText(u"0", right, kNoPrefix | kRight, nullptr);
  auto firstLitColumn = [&](int row) {
    for (int x = 0; x < 160; ++x) {
      if (scene.Lit(x, row)) return x;
    }
    return -1;
  };
  // '0' is 6 pixels wide with one blank column on its left... and its top
  // row (2 below the line's top) lit from its second column.
  const int inset = firstLitColumn(2) - 10;
  EXPECT_EQ(firstLitColumn(14) - inset, 10 + (30 - 6) / 2);
  EXPECT_EQ(firstLitColumn(26) - inset, 40 - 6);
}

TEST_F(RasterTextTest, TextIsCutAtTheRectangleAndAtNothingElse) {
  Rect rect{0, 0, 20, 6};
  scene.context.DrawText(u"88888888", rect, kNoPrefix, nullptr);
  for (int y = 0; y < 43; ++y) {
    for (int x = 0; x < 160; ++x) {
      if (scene.Lit(x, y)) {
        ASSERT_TRUE(rect.Contains(x, y)) << x << "," << y;
      }
    }
  }
  RasterScene unclipped;
  unclipped.context.SelectFont(&font);
  Rect same = rect;
  unclipped.context.DrawText(u"88888888", same, kNoPrefix | kNoClip, nullptr);
  EXPECT_TRUE(unclipped.Lit(30, 3) || unclipped.Lit(31, 3) || unclipped.Lit(32, 3));
}

TEST_F(RasterTextTest, OpaqueTextFillsItsCellsWithTheBackground) {
  RasterContext& dc = scene.context;
  dc.FillRect({0, 0, 160, 43}, White());
  dc.SetBackgroundMode(kOpaque);
  Rect rect{0, 0, 100, 30};
  dc.DrawText(u"1\n22", rect, kNoPrefix, nullptr);
  EXPECT_FALSE(scene.Lit(0, 0));
  EXPECT_FALSE(scene.Lit(5, 11)) << "cell of '1' is 6 wide and 12 high";
  EXPECT_TRUE(scene.Lit(6, 0));
  EXPECT_FALSE(scene.Lit(11, 23));
  EXPECT_TRUE(scene.Lit(12, 12));
  EXPECT_TRUE(scene.Lit(0, 24));
}

TEST_F(RasterTextTest, AmpersandIsPlainTextUnlessPrefixesAreAsked) {
  const int ampersand = scene.context.GetTextExtent(u"&").cx;
  ASSERT_GT(ampersand, 0);
  Rect rect{0, 0, 100, 12};
  EXPECT_EQ(Calculate(u"&0", 100, 0).right, ampersand + 6);
  scene.context.DrawText(u"&&0", rect, kCalcRect, nullptr);
  EXPECT_EQ(rect.right, ampersand + 6) << "a doubled prefix draws one ampersand";
  rect = {0, 0, 100, 12};
  scene.context.DrawText(u"&0", rect, 0, nullptr);
  EXPECT_TRUE(scene.Lit(0, 11) && scene.Lit(4, 11) && !scene.Lit(5, 11))
      << "the marked character is underlined";
}

TEST_F(RasterTextTest, BadTextNeverEscapesTheSurface) {
  RasterContext& dc = scene.context;
  std::u16string huge(100000, u'8');
  for (std::size_t i = 7; i < huge.size(); i += 8) huge[i] = u' ';
  Rect rect{0, 0, 160, 43};
  dc.DrawText(huge, rect, kNoPrefix | kWordBreak, nullptr);
  Rect calc{0, 0, 160, 43};
  // Words of seven 6-pixel digits, three to a 160-pixel line.
  EXPECT_EQ(dc.DrawText(huge, calc, kNoPrefix | kWordBreak | kCalcRect, nullptr), 12 * 4167);
  dc.TextOut(-50, 5, huge);
  dc.SetViewportOrigin({150, 40});
  dc.TextOut(0, 0, huge);

  const std::u16string surrogates = u"\U0001F600x\xD800y\xDC00";
  dc.SetViewportOrigin({0, 0});
  Rect small{0, 0, 40, 12};
  dc.DrawText(surrogates, small, kNoPrefix, nullptr);
  EXPECT_GT(dc.GetTextExtent(surrogates).cx, dc.GetTextExtent(u"xy").cx);
  const std::u16string lone(1, u'\xD800');
  dc.TextOut(0, 20, lone);

  Rect breaks{0, 0, 40, 12};
  EXPECT_EQ(dc.DrawText(u"\r\n\r\n\n", breaks, kNoPrefix | kCalcRect, nullptr), 36);
}

}  // namespace
}  // namespace korvan::testing
