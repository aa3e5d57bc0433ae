#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>

#include "platform/fonts/FontLibrary.h"
#include "tests/platform/FontPins.h"
#include "tests/platform/RasterScene.h"

namespace korvan::testing {
namespace {

using namespace DrawTextFormat;

const Brush& White() {
  return GetStockBrush(StockBrush::White);
}

// The frame holds only the two pixel values, and matches the golden.
void ExpectFrame(const RasterScene& scene, const std::string& golden) {
  const std::uint8_t* bits = scene.surface->Bits();
  EXPECT_TRUE(std::all_of(bits, bits + 160 * 43, [](auto v) { return v == 0 || v == 255; }));
  EXPECT_TRUE(MatchesGolden(golden, scene.Art()));
}

TEST(RasterContext, ExtremeAndFarCoordinatesAndEmptyClips) {
  RasterContext none;  // without a surface nothing is drawn
  Rect rect{0, 0, 50, 20};
  none.FillRect(rect, White());
  none.LineTo(30, 30);
  EXPECT_GT(none.DrawText(u"text", rect, kNoPrefix, nullptr), 0);
  PinTestFonts();
  RasterScene scene;
  RasterContext& dc = scene.context;
  const Font font(SansFont(-11, kWeightNormal));
  dc.SelectFont(&font);
  // Coordinates that saturate: no wrap-round, no stray write.
  dc.SetViewportOrigin({INT_MAX, INT_MAX});
  dc.OffsetViewportOrigin(INT_MAX, INT_MAX);
  Rect everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  dc.FillRect(everything, White());
  dc.FrameRect(everything, White());
  dc.InvertRect({INT_MAX, INT_MAX, INT_MIN, INT_MIN});
  dc.SetPixel(INT_MAX, INT_MAX, kWhite);
  dc.TextOut(INT_MAX, INT_MAX, u"88");
  dc.DrawText(u"8 8\n8", everything, kCenter | kWordBreak, nullptr);
  dc.DrawText(u"8 8\n8", everything, kRight | kCalcRect, nullptr);

  // The frame: far from the surface through the viewport, only the inner
  // edge of a frame the size of the surface shows, and a long line at row 20.
  dc.SetViewportOrigin({-1000, -1000});
  dc.FillRect({-5000, -5000, 5000, 5000}, White());
  dc.InvertRect({-5000, -5000, 5000, 5000});
  dc.FrameRect({1000, 1000, 1160, 1043}, White());
  for (const auto [x, y] : {Point{999, 1000}, {1160, 1000}, {1000, 1043}})
    dc.SetPixel(x, y, kWhite);
  dc.SelectPen(&GetStockPen(StockPen::White));
  dc.MoveTo(-100000, 1020);
  dc.LineTo(100000, 1020);
  // Lines from one end of the range to the other, and a backwards fill.
  dc.SetViewportOrigin({0, 0});
  dc.MoveTo(INT_MIN, INT_MIN);
  dc.LineTo(INT_MAX, INT_MAX);
  dc.MoveTo(INT_MIN, 30);
  dc.LineTo(INT_MAX, 30);
  dc.FillRect({INT_MAX, 35, INT_MIN, 37}, White());
  // A backwards clip shows nothing; kNoClip draws past the rectangle.
  dc.SelectClipRect({20, 20, 10, 30});
  dc.FillRect({0, 0, 160, 43}, White());
  dc.TextOut(0, 0, u"888");
  dc.RemoveClip();
  Rect narrow{100, 4, 120, 8};
  dc.DrawText(u"88888888", narrow, kNoPrefix | kNoClip, nullptr);
  ExpectFrame(scene, "raster-edges");
}

TEST(RasterContext, LinesFromFarAwayHitTheSamePixelsAsWhenDrawnWhole) {
  // The same lines on a surface large enough to hold them whole, and through
  // a 160 × 43 window onto its middle.
  const auto whole = PixelSurface::Create(4000, 1000);
  RasterContext big;
  big.SelectSurface(whole.get());
  RasterScene scene;
  scene.context.SetViewportOrigin({-1920, -480});
  const Pen dot{PenStyle::Dot, kWhite};
  const struct {
    int x1, y1, x2, y2;
    bool dotted;
  } lines[] = {{0, 0, 3999, 999, false},  {3999, 0, 0, 999, true},     {1990, 0, 1995, 999, false},
               {0, 510, 3999, 490, true}, {1930, 999, 2060, 0, false}, {0, 999, 2000, 480, false}};
  for (const auto& line : lines) {
    for (RasterContext* context : {&big, &scene.context}) {
      context->SelectPen(line.dotted ? &dot : &GetStockPen(StockPen::White));
      context->MoveTo(line.x1, line.y1);
      context->LineTo(line.x2, line.y2);
    }
  }
  EXPECT_EQ(scene.Art(), FrameToArt(whole->Row(480) + 1920, 160, 43, whole->Stride()));
}

TEST(RasterContext, BlitsAndIconsThroughViewportAndClip) {
  RasterScene scene;
  RasterContext& dc = scene.context;
  const BitmapImage halfLit{4, 2, {0, 0, 255, 255, 0, 0, 255, 255}};
  // Top left: a window from source column -2 to 7, rows 0 to 3, over a
  // white row: only the 4 × 2 the source holds is copied.
  dc.FillRect({0, 0, 20, 1}, White());
  dc.BitBlt(0, 0, 10, 4, halfLit, -2, 0);
  // Right of it: each ternary code over a canvas of .#.#, one per row.
  const std::uint32_t rops[] = {
      RasterOp::kSrcCopy,   RasterOp::kSrcPaint,   RasterOp::kSrcAnd,
      RasterOp::kSrcInvert, RasterOp::kNotSrcCopy, RasterOp::kDstInvert,
      RasterOp::kBlackness, RasterOp::kWhiteness,  0x00F00021 /* pattern copy, white brush */};
  for (int y = 0; y < 9; ++y) {
    for (const int x : {31, 33}) dc.FillRect({x, y, x + 1, y + 1}, White());
    dc.BitBlt(30, y, 4, 1, halfLit, 0, 0, rops[y]);
  }
  // An icon whose top row is opaque white, opaque black, see-through and
  // inverting, over black then over white: twice as large, halved (source
  // columns 0 and 2), and twice as large through a one-column clip.
  const IconImage icon{4, 2, {255, 0, 0, 255, 0, 0, 0, 0}, {0, 0, 255, 255, 0, 0, 0, 0}};
  dc.FillRect({40, 25, 160, 43}, White());
  for (const int y : {15, 30}) {
    dc.SetViewportOrigin({40, y});
    dc.DrawIcon(0, 0, icon, 8, 4);
    dc.DrawIcon(10, 0, icon, 2, 1);
    dc.SelectClipRect({61, 0, 62, 43});
    dc.DrawIcon(20, 0, icon, 8, 4);
    dc.RemoveClip();
  }
  dc.SetViewportOrigin({50, 2});  // and a blit through a one-column clip
  dc.SelectClipRect({52, 0, 53, 43});
  dc.BitBlt(0, 0, 4, 2, halfLit, 0, 0);
  dc.RemoveClip();
  // Left, below: empty and negative extents and planes shorter than their
  // size claims draw nothing.
  BitmapImage shortBitmap = halfLit;
  shortBitmap.pixels.pop_back();
  IconImage shortIcon = icon;
  shortIcon.mask.pop_back();
  dc.SetViewportOrigin({0, 20});
  dc.BitBlt(0, 0, 0, 2, halfLit, 0, 0);
  dc.BitBlt(0, 0, 4, -1, halfLit, 0, 0);
  dc.BitBlt(0, 0, 4, 2, shortBitmap, 0, 0);
  dc.DrawIcon(0, 0, icon, -4, 2);
  dc.DrawIcon(0, 0, shortIcon, 4, 2);
  ExpectFrame(scene, "raster-images");
}

class RasterTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }
  void SetUp() override { scene.context.SelectFont(&font); }

  RasterScene scene;
  const Font font{SansFont(-11, kWeightNormal)};
};

// Extents as the reference implementation (tools/raster-reference) gives
// them; kAny: only the height is pinned.
TEST_F(RasterTextTest, CalculatedRectanglesMatchTheReference) {
  constexpr int kAny = INT_MIN;
  const int ampersand = scene.context.GetTextExtent(u"&").cx;
  DrawTextParams margins{0, 1, 1, 0};
  DrawTextParams leftMargin{0, 2, 0, 0};
  const struct {
    std::u16string_view text;
    int width;
    unsigned format;
    int right, bottom;
    DrawTextParams* params = nullptr;
  } cases[] = {
      {u"0123", 100, kNoPrefix, 24, 12},
      // A word wider than the rectangle stays whole on its own line, after
      // a leading space too.
      {u"abcdefghijklmnop qr", 20, kNoPrefix | kWordBreak, kAny, 24},
      {u" abcdefghijklmnop", 20, kNoPrefix | kWordBreak, kAny, 12},
      {u"0123", 0, kNoPrefix | kWordBreak, 24, 12},
      // A space that fits stays on the line; those at a break are dropped.
      {u"a  b", 10, kNoPrefix | kWordBreak, 9, 24},
      {u"a   b", 10, kNoPrefix | kWordBreak, 9, 24},
      {u"a b  ", 10, kNoPrefix | kWordBreak, 9, 24},
      {u"ab  ", 100, kNoPrefix | kWordBreak, 18, 12},
      {u"00 00    00", 27, kNoPrefix | kWordBreak, 27, 24},
      {u"00 00 00", 26, kNoPrefix | kWordBreak, 12, 36},
      {u"00 00 00", 27, kNoPrefix, 42, 12},
      // The reference gives 41: it measures some letters a pixel wider than
      // it draws them ('o' and 'w' here). We measure what we draw.
      {u"one two three four", 45, kNoPrefix | kWordBreak, 40, 36},
      {u"", 100, kNoPrefix, 0, 0},
      {u"", 100, kNoPrefix | kSingleLine, 0, 12},
      {u"A\n", 100, kNoPrefix, kAny, 12},  // a final break opens no line
      {u"\n\n", 100, kNoPrefix, 0, 24},
      {u"A\r\nB", 100, kNoPrefix, kAny, 24},
      {u"A\n\rB", 100, kNoPrefix, kAny, 24},
      {u"A\n\nB", 100, kNoPrefix, kAny, 36},
      {u"A\r\rB", 100, kNoPrefix, kAny, 36},
      // Margins are pixels and widen the rectangle.
      {u"0", 100, kNoPrefix, 8, 12, &margins},
      {u"0", 100, kNoPrefix, 8, 12, &leftMargin},
      // Ampersand is plain text unless prefixes are asked; doubled, it is one.
      {u"&0", 100, kNoPrefix, ampersand + 6, 12},
      {u"&&0", 100, 0, ampersand + 6, 12},
  };
  for (const auto& c : cases) {
    Rect got{0, 0, c.width, 10};
    scene.context.DrawText(c.text, got, c.format | kCalcRect, c.params);
    EXPECT_EQ(got, (Rect{0, 0, c.right == kAny ? got.right : c.right, c.bottom}))
        << std::string(c.text.begin(), c.text.end()) << " in " << c.width;
  }
}

TEST_F(RasterTextTest, BadTextNeverEscapesTheSurface) {
  RasterContext& dc = scene.context;
  std::u16string huge(100000, u'8');
  for (std::size_t i = 7; i < huge.size(); i += 8) huge[i] = u' ';
  Rect rect{0, 0, 160, 43};
  dc.DrawText(huge, rect, kNoPrefix | kWordBreak, nullptr);
  // Words of seven 6-pixel digits, three to a 160-pixel line.
  EXPECT_EQ(dc.DrawText(huge, rect, kNoPrefix | kWordBreak | kCalcRect, nullptr), 12 * 4167);
  dc.TextOut(-50, 5, huge);
  dc.SetViewportOrigin({150, 40});
  dc.TextOut(0, 0, huge);

  const std::u16string surrogates = u"\U0001F600x\xD800y\xDC00";
  dc.SetViewportOrigin({0, 0});
  Rect small{0, 0, 40, 12};
  dc.DrawText(surrogates, small, kNoPrefix, nullptr);
  EXPECT_GT(dc.GetTextExtent(surrogates).cx, dc.GetTextExtent(u"xy").cx);
  dc.TextOut(0, 20, std::u16string(1, u'\xD800'));
  EXPECT_EQ(dc.DrawText(u"\r\n\r\n\n", small, kNoPrefix | kCalcRect, nullptr), 36);
}

// Line metrics the reference implementation reports for these sizes.
TEST_F(RasterTextTest, FontMetricsMatchTheReference) {
  const struct {
    int height, weight, ascent, descent, averageCharWidth, digits;
  } cases[] = {
      {-9, 400, 8, 2, 5, 50},    {-11, 400, 10, 2, 6, 60}, {-16, 400, 14, 3, 9, 90},
      {12, 400, 10, 2, 6, 60},   {-9, 700, 8, 2, 6, 50},   {-11, 700, 10, 2, 7, 60},
      {-16, 700, 14, 3, 10, 90}, {12, 700, 10, 2, 7, 60},
  };
  for (const auto& e : cases) {
    const Font font(SansFont(e.height, e.weight));
    const FontMetrics& m = font.Face().Metrics();
    scene.context.SelectFont(&font);
    EXPECT_EQ(std::tuple(m.ascent, m.descent, m.height, m.averageCharWidth,
                         scene.context.GetTextExtent(u"0123456789").cx),
              std::tuple(e.ascent, e.descent, e.ascent + e.descent, e.averageCharWidth, e.digits))
        << "height " << e.height << " weight " << e.weight;
  }
}

TEST_F(RasterTextTest, FacesResolveAndOddSizesStillGiveASaneFont) {
  // Not pinned: our own preference must find Liberation Sans through fontconfig.
  const auto is = [](const std::string& path, const char* file) {
    return path.find(std::string("/LiberationSans-") + file + ".ttf") != std::string::npos;
  };
  EXPECT_TRUE(is(FontLibrary::Instance().ResolvePath(u"MS Sans Serif", false), "Regular"));
  EXPECT_TRUE(is(FontLibrary::Instance().ResolvePath(u"MS Sans Serif", true), "Bold"));
  EXPECT_TRUE(is(Font::StockGui().Face().Path(), "Regular"));
  EXPECT_EQ(Font::StockGui().Face().PixelSize(), 11);
  FontDescription unknown = SansFont(-11, kWeightNormal);
  const std::u16string name = u"No Such Face At All";
  std::copy(name.begin(), name.end(), unknown.faceName.begin());
  EXPECT_GT(Font(unknown).Face().GetGlyph(U'8').advance, 0);
  EXPECT_EQ(Font(SansFont(0, 0)).Face().PixelSize(), 11) << "0 means the default height";
  const Font tiny(SansFont(-1, 0));
  EXPECT_EQ(tiny.Face().PixelSize(), 1);
  EXPECT_GE(tiny.Face().Metrics().height, 0);
  for (int height : {INT_MIN, -100000, 100000, INT_MAX}) {
    const Font absurd(SansFont(height, kWeightNormal));
    EXPECT_EQ(absurd.Face().PixelSize(), 256) << height;
    EXPECT_LE(absurd.Face().GetGlyph(U'W').width, 512);
  }
}

}  // namespace
}  // namespace korvan::testing
