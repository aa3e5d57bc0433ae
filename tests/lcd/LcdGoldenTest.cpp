// Pages composed through the facade as the screens do (page-*), then the items'
// edge cases (lcd-*), on white where what an item blanks matters.
#include <climits>
#include <tuple>

#include "lcd/LcdCanvas.h"
#include "lcd/LcdProgressBar.h"
#include "lcd/LcdTextItem.h"
#include "tests/lcd/LcdScene.h"

namespace korvan::testing {
namespace {

struct LcdGoldenTest : LcdScene {
  const BitmapImage white = MakeBitmap(kLcdWidth, kLcdHeight, [](int, int) { return true; });
};

TEST_F(LcdGoldenTest, OpaqueOverlapInversionAndWrapping) {
  const auto items = Texts({{F::Large, A::Left, 0, 0, 100, u"88888888"},
                            {F::Medium, A::Right, 30, 4, 40, u"OVER"},
                            {F::Medium, A::Center, 104, 0, 56, u"INV"},
                            {F::Small, A::Left, 0, 20, 70, u"word wrap keeps whole words", 2},
                            {F::Medium, A::Left, 76, 20, 84, u"line\nbreak", 2}});
  items[2]->SetInverted(true);
  Run();
  EXPECT_TRUE(Shows("page-opaque-overlap"));
}

// Why the classes lift as they do: the medium class at lifts 0 to 4; the small
// and large ones past their own lift (cutting the digits) and at it (whole).
TEST_F(LcdGoldenTest, LogicalOriginShiftsGlyphsUp) {
  for (int i = 0; i < 5; ++i)
    Text({F::Medium, A::Left, i * 32, 0, 30, u"Bg8"})->SetLogicalOrigin(0, -i);
  Text({F::Small, A::Left, 0, 14, 40, u"0123"})->SetLogicalOrigin(0, -5);
  Text({F::Large, A::Left, 0, 26, 60, u"4567"})->SetLogicalOrigin(0, -6);
  Texts({{F::Small, A::Left, 80, 14, 40, u"0123"}, {F::Large, A::Left, 80, 26, 60, u"4567"}});
  Run();
  EXPECT_TRUE(Shows("page-logical-origin"));
}

// The three styles at a quarter, a half and the full range, plus an empty
// range (frame only) and a bar lower than the default 5 rows.
TEST_F(LcdGoldenTest, ProgressBarStyles) {
  const LcdBarStyle styles[] = {LcdBarStyle::Filled, LcdBarStyle::Cursor,
                                LcdBarStyle::DottedCursor};
  const float positions[] = {25.0F, 50.0F, 100.0F};
  for (int i = 0; i < 9; ++i) Bar(styles[i / 3], i % 3 * 54, i / 3 * 8, 52, 5, positions[i % 3]);
  As<LcdProgressBar>(Bar(LcdBarStyle::Cursor, 0, 26, 160, 7, 0.0F)).SetRange(10, 10);
  LcdItem* tall = Bar(LcdBarStyle::DottedCursor, 0, 35, 160, 8, 0.0F);
  As<LcdProgressBar>(tall).SetRange(-50, 50);
  facade.SetProgressPosition(tall, 10.0F);
  Run();
  EXPECT_TRUE(Shows("page-progress-bars"));
}

// Top: an empty text, a hidden one, ampersands, an inverted text of half its box. Middle: a line
// cut at its box, 10 points (points per inch show), a centred wrap cut after two lines. Bottom,
// after 2 s: a ticker as wide as its text stands, one a pixel narrower runs, an empty one is black.
TEST_F(LcdGoldenTest, TextEdges) {
  Bitmap(white, 0, 0, kLcdWidth, kLcdHeight);
  constexpr LcdItemKind kTicker = LcdItemKind::StreamingText;
  const auto items = Texts({{F::Medium, A::Left, 0, 0, 36, u""},
                            {F::Medium, A::Left, 38, 0, 36, u"HIDDEN"},
                            {F::Medium, A::Left, 76, 0, 36, u"&&"},
                            {F::Medium, A::Center, 114, 0, 40, u"8"},
                            {F::Small, A::Left, 0, 14, 40, u"0000 1111 2222 3333"},
                            {F::Medium, A::Left, 42, 14, 56, u"10 pt"},
                            {F::Small, A::Center, 100, 14, 60, u"one two three four five six", 2},
                            {F::Medium, A::Center, 0, 30, 34, u"EXACT", 1, kTicker},
                            {F::Medium, A::Center, 36, 30, 33, u"EXACT", 1, kTicker},
                            {F::Medium, A::Center, 71, 30, 27, u"", 1, kTicker}});
  facade.SetVisible(items[1], false);
  items[3]->SetInverted(true);
  items[3]->SetLogicalSize(20, 13);
  As<LcdTextItem>(items[5]).SetFontPointSize(10);
  Run(41);
  EXPECT_TRUE(Shows("lcd-text-edges"));
}

// Top: bitmap windows from the logical origin, bytes 129 and 128 (white and black by the colour
// table), a bitmap item with no size. Over a white band: a hollow square icon stretched in a wider
// box, an icon item and a bitmap item with no picture; right, the square cut by its box.
TEST_F(LcdGoldenTest, Pictures) {
  const BitmapImage stripes = MakeBitmap(30, 4, [](int x, int) { return x % 2 == 0; });
  const BitmapImage edge = MakeBitmap(
      20, 4, [](int x, int) { return x % 2 == 0; }, 129, 128);
  Bitmap(stripes, 3, 0, 6, 2);
  Bitmap(stripes, 20, 5, 30, 4)->SetLogicalOrigin(10, 0);
  Bitmap(edge, 60, 0, 20, 4);
  facade.SetBitmap(facade.AddBitmap(), &stripes);
  const IconImage square =
      MakeIcon(6, 4, [](int x, int y) { return x == 0 || x == 5 || y == 0 || y == 3; });
  Bitmap(white, 0, 12, 100, 4);
  Place(facade.AddIcon(&square, 6, 4), 110, 12, 3, 2);
  Place(facade.AddIcon(&square, 12, 8), 10, 12, 20, 10);
  Place(facade.AddIcon(nullptr, 20, 4), 50, 12, 20, 4);
  Place(facade.AddBitmap(), 75, 12, 20, 4);
  Run();
  EXPECT_TRUE(Shows("lcd-pictures"));
}

// Style, range, position, range after the position; in two columns, the first
// row over white: a range narrowed after the position, empty ranges, a position
// no int holds, unknown styles, positions clamped each way, a reversed range.
TEST_F(LcdGoldenTest, ProgressBarEdges) {
  const std::tuple<int, int, int, float, int, int> bars[] = {
      {0, 0, 100, 100, 0, 10},        {1, 0, 100, 100, 0, 10},        {0, 50, 50, 50, 50, 50},
      {1, 50, 50, 0, 50, 50},         {2, 50, 50, 50, 50, 50},        {7, 50, 50, 50, 50, 50},
      {0, 0, 2000000000, 2e9F, 0, 1}, {2, 0, 2000000000, 2e9F, 0, 1}, {9, 0, 100, 50, 0, 100},
      {1, 0, 100, -5, 0, 100},        {0, 0, 100, 150, 0, 100},       {1, 0, 100, 100, 0, 100},
      {0, 10, 0, 5, 10, 0},           {2, -50, 50, -50, -50, 50}};
  Bitmap(white, 0, 0, kLcdWidth, 7);
  for (int i = 0; i < 14; ++i) {
    const auto [style, min, max, position, laterMin, laterMax] = bars[i];
    LcdItem* item = Bar(LcdBarStyle::Filled, i % 2 * 81, 1 + i / 2 * 6, 78, 5, 0.0F);
    As<LcdProgressBar>(item).SetStyle(static_cast<LcdProgressStyle>(style));
    As<LcdProgressBar>(item).SetRange(min, max);
    facade.SetProgressPosition(item, position);
    As<LcdProgressBar>(item).SetRange(laterMin, laterMax);
  }
  Run();
  EXPECT_TRUE(Shows("lcd-progress-edges"));
}

// Over white: a 100 000-character text of two words, line breaks only, an emoji and a lone
// surrogate. Below, opaque texts in empty, negative and far boxes, at the largest point size, with
// an overlong face name; a black bitmap at the far ends of the coordinates draws nothing.
TEST_F(LcdGoldenTest, HostileTextsAndBoxes) {
  Bitmap(white, 0, 0, kLcdWidth, kLcdHeight);
  std::u16string huge(100000, u'7');
  huge[50000] = u' ';
  Texts({{F::Small, A::Left, 0, 0, 40, huge.c_str(), 2},
         {F::Small, A::Left, 42, 0, 40, u"\n\r\n\n", 2},
         {F::Medium, A::Left, 84, 0, 40, u"a\U0001F600\xD800"}});
  const auto items = Texts({{F::Medium, A::Left, 0, 30, 0, u"888"},
                            {F::Medium, A::Left, 40, 30, -40, u"888"},
                            {F::Large, A::Left, INT_MAX, INT_MAX, INT_MAX, u"888"},
                            {F::Medium, A::Left, 60, 30, 30, u"888"},
                            {F::Medium, A::Left, 92, 30, 30, u"888"}});
  As<LcdTextItem>(items[3]).SetFontPointSize(INT_MAX);
  As<LcdTextItem>(items[4]).SetFontFaceName(u"An Exceedingly Long Face Name That Goes On");
  const BitmapImage black = MakeBitmap(kLcdWidth, kLcdHeight, [](int, int) { return false; });
  Bitmap(black, -1000, -1000, INT_MAX, INT_MAX)->SetLogicalOrigin(INT_MAX, INT_MAX);
  Run();
  EXPECT_TRUE(Shows("lcd-hostile"));
}

// Before any font is set: 8 points are 11 pixels at 96 dots an inch.
TEST(LcdTextItem, StartsInTheStockFaceAtEightPoints) {
  LcdTextItem item;
  ASSERT_EQ(item.Initialize(), kStatusOk);
  EXPECT_EQ(item.GetFont()->Description().height, -11);
}

// The canvas's own calls, for items that draw directly: pixels lit and put out, a line without its
// end point, a filled box, a string with its reference point at the top left of its cell.
TEST(LcdCanvas, DrawsPixelsLinesBoxesAndStrings) {
  PinTestFonts();
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  canvas.BeginDraw();
  canvas.Clear();
  canvas.PutPixel(1, 1, true);
  canvas.DrawLine(4, 1, 20, 1);
  canvas.FillBox(4, 4, 10, 5);
  canvas.PutPixel(5, 5, false);
  canvas.DrawString(30, 2, u"8 88");
  canvas.EndDraw();
  const LcdFrame* frame = canvas.GetFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->header, 1u);
  EXPECT_TRUE(MatchesGolden("lcd-canvas-calls", FrameToArt(frame->pixels.data(), 160, 43, 160)));
}

// Whoever reads the pixels as a bitmap is told what they are: 160 x 43 bytes,
// top row first, 3200 pixels a metre, a byte above 128 white.
TEST(LcdCanvas, DescribesItsBytesAsATopDownEightBitBitmap) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  const LcdBitmapInfo& info = *canvas.GetBitmapInfo();
  const LcdBitmapInfoHeader& h = info.header;
  EXPECT_EQ(std::tuple(h.size, h.width, h.height, h.planes, h.bitCount, h.compression, h.sizeImage,
                       h.xPelsPerMeter, h.yPelsPerMeter, h.colorsUsed, h.colorsImportant),
            std::tuple(40u, 160, -43, std::uint16_t{1}, std::uint16_t{8}, 0u, 6880u, 3200, 3200,
                       256u, 256u));
  for (std::size_t i = 0; i < 256; ++i) {
    const LcdColorEntry& c = info.colors[i];
    const int v = i > 128 ? 255 : 0;
    EXPECT_EQ(std::tuple(+c.red, +c.green, +c.blue, +c.reserved), std::tuple(v, v, v, 0)) << i;
  }
}

TEST(LcdCanvas, SizesTheFrameCannotHoldAreRefusedAndTheCanvasThenDrawsNothing) {
  const int sizes[][2] = {{0, 43},   {160, 0},  {-160, 43},        {161, 43},
                          {160, 44}, {6881, 1}, {1 << 16, 1 << 16}};
  for (auto [width, height] : sizes) {
    LcdCanvas canvas;
    EXPECT_EQ(canvas.Create(width, height), kStatusFail) << width << " x " << height;
    EXPECT_EQ(canvas.GetFrame(), nullptr);
    EXPECT_EQ(canvas.GetBitmapInfo(), nullptr);
    canvas.BeginDraw();
    canvas.Clear();
    canvas.EndDraw();
  }
}

}  // namespace
}  // namespace korvan::testing
