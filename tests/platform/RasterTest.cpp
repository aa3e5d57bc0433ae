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

// The frame holds only the two pixel values, and matches the golden.
void ExpectFrame(const RasterScene& scene, const std::string& golden) {
  const std::uint8_t* bits = scene.surface->Bits();
  EXPECT_TRUE(std::all_of(bits, bits + 160 * 43, [](auto v) { return v == 0 || v == 255; }));
  EXPECT_TRUE(MatchesGolden(golden, scene.Art()));
}

TEST(RasterContext, ExtremeAndFarCoordinatesAndEmptyClips) {
  RasterContext none;  // without a surface nothing is drawn
  Rect rect{0, 0, 50, 20};
  none.FillRect(rect, kWhiteBrush);
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
  Rect all{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  dc.FillRect(all, kWhiteBrush);
  dc.FrameRect(all, kWhiteBrush);
  dc.InvertRect({INT_MAX, INT_MAX, INT_MIN, INT_MIN});
  dc.SetPixel(INT_MAX, INT_MAX, kWhite);
  dc.TextOut(INT_MAX, INT_MAX, u"88");
  dc.DrawText(u"8 8\n8", all, kCenter | kWordBreak, nullptr);
  dc.DrawText(u"8 8\n8", all, kRight | kCalcRect, nullptr);
  // Far from the surface through the viewport: only the inner edge of a
  // frame the size of the surface shows, and a long line at row 20.
  dc.SetViewportOrigin({-1000, -1000});
  dc.FillRect({-5000, -5000, 5000, 5000}, kWhiteBrush);
  dc.InvertRect({-5000, -5000, 5000, 5000});
  dc.FrameRect({1000, 1000, 1160, 1043}, kWhiteBrush);
  for (const Point& p : {Point{999, 1000}, {1160, 1000}, {1000, 1043}})
    dc.SetPixel(p.x, p.y, kWhite);
  dc.SelectPen(&GetStockPen(StockPen::White));
  dc.MoveTo(-100000, 1020);
  dc.LineTo(100000, 1020);
  // Lines from one end of the range to the other, and a backwards fill.
  dc.SetViewportOrigin({0, 0});
  dc.MoveTo(INT_MIN, INT_MIN);
  dc.LineTo(INT_MAX, INT_MAX);
  dc.MoveTo(INT_MIN, 30);
  dc.LineTo(INT_MAX, 30);
  dc.FillRect({INT_MAX, 35, INT_MIN, 37}, kWhiteBrush);
  // A backwards clip shows nothing; kNoClip draws past the rectangle.
  dc.SelectClipRect({20, 20, 10, 30});
  dc.FillRect({0, 0, 160, 43}, kWhiteBrush);
  dc.TextOut(0, 0, u"888");
  dc.RemoveClip();
  Rect narrow{100, 4, 120, 8};
  dc.DrawText(u"88888888", narrow, kNoPrefix | kNoClip, nullptr);
  ExpectFrame(scene, "raster-edges");
}

// Lines that start and end far off the surface: only the steps inside it are
// walked, so the frame shows where each walk picks up (slope and dot phase
// included) and where it stops. Checked once against the same lines drawn
// whole on a 4000 × 1000 surface.
TEST(RasterContext, LinesFromFarAway) {
  RasterScene scene;
  scene.context.SetViewportOrigin({-1917, -483});
  const Pen dot{PenStyle::Dot, kWhite};
  const std::tuple<int, int, int, int, bool> lines[] = {
      {0, 0, 3999, 999, false},  {3999, 0, 0, 999, true},     {1990, 0, 1995, 999, false},
      {0, 510, 3999, 490, true}, {1930, 999, 2060, 0, false}, {0, 999, 2000, 480, false}};
  for (const auto& [x1, y1, x2, y2, dotted] : lines) {
    scene.context.SelectPen(dotted ? &dot : &GetStockPen(StockPen::White));
    scene.context.MoveTo(x1, y1);
    scene.context.LineTo(x2, y2);
  }
  ExpectFrame(scene, "raster-lines");
}

TEST(RasterContext, BlitsAndIconsThroughViewportAndClip) {
  RasterScene scene;
  RasterContext& dc = scene.context;
  const BitmapImage halfLit{4, 2, {0, 0, 255, 255, 0, 0, 255, 255}};
  // Top left: a window from source column -2 to 7, rows 0 to 3, over a
  // white row: only the 4 × 2 the source holds is copied.
  dc.FillRect({0, 0, 20, 1}, kWhiteBrush);
  dc.BitBlt(0, 0, 10, 4, halfLit, -2, 0);
  // Right of it: each ternary code over a canvas of .#.#, one per row.
  const std::uint32_t rops[] = {
      RasterOp::kSrcCopy,   RasterOp::kSrcPaint,   RasterOp::kSrcAnd,
      RasterOp::kSrcInvert, RasterOp::kNotSrcCopy, RasterOp::kDstInvert,
      RasterOp::kBlackness, RasterOp::kWhiteness,  0x00F00021 /* pattern copy, white brush */};
  for (int y = 0; y < 9; ++y) {
    for (const int x : {31, 33}) dc.SetPixel(x, y, kWhite);
    dc.BitBlt(30, y, 4, 1, halfLit, 0, 0, rops[y]);
  }
  // An icon whose top row is opaque white, opaque black, see-through and
  // inverting, over black then over white: twice as large, halved (source
  // columns 0 and 2), and twice as large through a one-column clip.
  const IconImage icon{4, 2, {255, 0, 0, 255, 0, 0, 0, 0}, {0, 0, 255, 255, 0, 0, 0, 0}};
  dc.FillRect({40, 25, 160, 43}, kWhiteBrush);
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
  void SetUp() override { dc.SelectFont(&font); }

  RasterScene scene;
  RasterContext& dc = scene.context;
  const Font font{SansFont(-11, kWeightNormal)};
};

// Extents as the reference implementation (tools/raster-reference) gives
// them; kAny: only the height is pinned. A word wider than the rectangle
// stays whole on its own line, after a leading space too. A space that fits
// stays on the line; those at a break are dropped. For "one two three four"
// the reference gives 41: it measures some letters a pixel wider than it
// draws them ('o' and 'w' here); we measure what we draw. A final break
// opens no line. Margins are pixels and widen the rectangle. Ampersand is
// plain text unless prefixes are asked; doubled, it is one.
TEST_F(RasterTextTest, CalculatedRectanglesMatchTheReference) {
  constexpr int kAny = INT_MIN;
  constexpr unsigned kP = kNoPrefix, kW = kNoPrefix | kWordBreak;
  const int amp = dc.GetTextExtent(u"&").cx;
  DrawTextParams margins{0, 1, 1, 0}, leftMargin{0, 2, 0, 0};
  const std::tuple<std::u16string_view, int, unsigned, int, int, DrawTextParams*> cases[] = {
      {u"0123", 100, kP, 24, 12, nullptr},
      {u"abcdefghijklmnop qr", 20, kW, kAny, 24, nullptr},
      {u" abcdefghijklmnop", 20, kW, kAny, 12, nullptr},
      {u"0123", 0, kW, 24, 12, nullptr},
      {u"a  b", 10, kW, 9, 24, nullptr},
      {u"a   b", 10, kW, 9, 24, nullptr},
      {u"a b  ", 10, kW, 9, 24, nullptr},
      {u"ab  ", 100, kW, 18, 12, nullptr},
      {u"00 00    00", 27, kW, 27, 24, nullptr},
      {u"00 00 00", 26, kW, 12, 36, nullptr},
      {u"00 00 00", 27, kP, 42, 12, nullptr},
      {u"one two three four", 45, kW, 40, 36, nullptr},
      {u"", 100, kP, 0, 0, nullptr},
      {u"", 100, kP | kSingleLine, 0, 12, nullptr},
      {u"A\n", 100, kP, kAny, 12, nullptr},
      {u"\n\n", 100, kP, 0, 24, nullptr},
      {u"\r\n\r\n\n", 40, kP, 0, 36, nullptr},
      {u"A\r\nB", 100, kP, kAny, 24, nullptr},
      {u"A\n\rB", 100, kP, kAny, 24, nullptr},
      {u"A\n\nB", 100, kP, kAny, 36, nullptr},
      {u"A\r\rB", 100, kP, kAny, 36, nullptr},
      {u"0", 100, kP, 8, 12, &margins},
      {u"0", 100, kP, 8, 12, &leftMargin},
      {u"&0", 100, kP, amp + 6, 12, nullptr},
      {u"&&0", 100, 0, amp + 6, 12, nullptr}};
  for (const auto& [text, width, format, right, bottom, params] : cases) {
    Rect got{0, 0, width, 10};
    dc.DrawText(text, got, format | kCalcRect, params);
    EXPECT_EQ(got, (Rect{0, 0, right == kAny ? got.right : right, bottom}))
        << std::string(text.begin(), text.end()) << " in " << width;
  }
}

TEST_F(RasterTextTest, HugeTextsAndBrokenSurrogatesStayInside) {
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
}

// Line metrics the reference implementation reports for these sizes:
// ascent, descent, average character width, width of the ten digits.
TEST_F(RasterTextTest, FontMetricsMatchTheReference) {
  const std::tuple<int, int, int, int, int, int> cases[] = {
      {-9, 400, 8, 2, 5, 50},    {-11, 400, 10, 2, 6, 60}, {-16, 400, 14, 3, 9, 90},
      {12, 400, 10, 2, 6, 60},   {-9, 700, 8, 2, 6, 50},   {-11, 700, 10, 2, 7, 60},
      {-16, 700, 14, 3, 10, 90}, {12, 700, 10, 2, 7, 60}};
  for (const auto& [height, weight, ascent, descent, average, digits] : cases) {
    const Font font(SansFont(height, weight));
    const FontMetrics& m = font.Face().Metrics();
    dc.SelectFont(&font);
    EXPECT_EQ(std::tuple(m.ascent, m.descent, m.height, m.averageCharWidth,
                         dc.GetTextExtent(u"0123456789").cx),
              std::tuple(ascent, descent, ascent + descent, average, digits))
        << height << " " << weight;
  }
}

TEST(FontLibrary, FacesResolveAndOddSizesStillGiveASaneFont) {
  // Not pinned: our own preference must find Liberation Sans through fontconfig.
  const auto file = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
  FontLibrary& library = FontLibrary::Instance();
  EXPECT_EQ(file(library.ResolvePath(u"MS Sans Serif", false)), "LiberationSans-Regular.ttf");
  EXPECT_EQ(file(library.ResolvePath(u"MS Sans Serif", true)), "LiberationSans-Bold.ttf");
  EXPECT_EQ(file(Font::StockGui().Face().Path()), "LiberationSans-Regular.ttf");
  EXPECT_EQ(Font::StockGui().Face().PixelSize(), 11);
  FontDescription unknown = SansFont(-11, kWeightNormal);
  std::u16string_view(u"No Such Face At All.").copy(unknown.faceName.data(), 20);
  EXPECT_GT(Font(unknown).Face().GetGlyph(U'8').advance, 0);
  // 0 is the default height; absurd ones are capped.
  for (const auto& [height, pixels] :
       {std::pair{0, 11}, {-1, 1}, {INT_MIN, 256}, {-100000, 256}, {100000, 256}, {INT_MAX, 256}}) {
    const Font font(SansFont(height, 0));
    EXPECT_EQ(font.Face().PixelSize(), pixels) << height;
    EXPECT_LE(font.Face().GetGlyph(U'W').width, 512);
    EXPECT_GE(font.Face().Metrics().height, 0);
  }
}

}  // namespace
}  // namespace korvan::testing
