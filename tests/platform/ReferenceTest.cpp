// The scenes of tools/raster-reference drawn by our raster context and icon
// loader, against the frames the desktop API and DrawIconEx drew (under Wine).
#include <climits>
#include <tuple>
#include <vector>

#include "platform/images/ImageFile.h"
#include "tests/platform/RasterScene.h"
#include "tests/support/TempDir.h"

namespace korvan::testing {
namespace {

using namespace DrawTextFormat;

const std::string kRoot = KORVAN_SOURCE_DIR;

struct RasterReferenceTest : ::testing::Test, RasterScene {};

TEST_F(RasterReferenceTest, RectanglesAndPixels) {
  dc.FillRect({2, 3, 10, 8}, kWhiteBrush);
  dc.FrameRect({12, 3, 20, 8}, kWhiteBrush);
  dc.InvertRect({5, 5, 15, 10});
  dc.FillRect({30, 10, 25, 5}, kWhiteBrush);  // backwards, as the first frame after it
  for (const Rect& r : {Rect{40, 10, 35, 5}, {45, 3, 46, 8}}) dc.FrameRect(r, kWhiteBrush);
  for (const auto& [x, color] : {std::pair{50, 0xFFFFFFu}, {52, 0x808080u}, {54, 0x818181u}})
    dc.SetPixel(x, 3, color);
  EXPECT_TRUE(Matches("reference-rectangles"));
}

// Polylines (x, y, x, y, ...), the last four dotted.
TEST_F(RasterReferenceTest, LinesAndDottedPen) {
  // clang-format off
  const std::vector<std::vector<int>> lines = {
      {0, 0, 10, 3, 10, 10, 0, 12}, {15, 0, 25, 10}, {30, 10, 33, 0}, {40, 5, 40, 5},
      {50, 0, 80, 0}, {50, 2, 54, 2, 64, 2}, {50, 4, 50, 20}, {80, 20, 60, 20}};
  // clang-format on
  const Pen dot{PenStyle::Dot, kWhite};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    dc.SelectPen(i < 4 ? &GetStockPen(StockPen::White) : &dot);
    dc.MoveTo(lines[i][0], lines[i][1]);
    for (std::size_t k = 2; k < lines[i].size(); k += 2) dc.LineTo(lines[i][k], lines[i][k + 1]);
  }
  EXPECT_TRUE(Matches("reference-lines"));
}

TEST_F(RasterReferenceTest, ClipIsDeviceAndViewportIsLogical) {
  dc.SelectClipRect({40, 5, 60, 20});
  dc.SetViewportOrigin({50, 10});
  dc.OffsetViewportOrigin(0, -2);
  dc.FillRect({0, 0, 20, 20}, kWhiteBrush);
  dc.FillRect({-15, 0, -12, 3}, kWhiteBrush);
  EXPECT_TRUE(Matches("reference-clip-and-viewport"));
}

TEST_F(RasterReferenceTest, TextOutAndDrawTextLayout) {
  dc.TextOut(0, 0, u"Hello 0123");
  dc.SetBackgroundMode(kOpaque);
  dc.FillRect({0, 10, 40, 30}, kWhiteBrush);
  dc.TextOut(2, 12, u"p 45");
  dc.SetBackgroundMode(kTransparent);
  DrawTextParams margins{0, 1, 1, 0};
  const std::tuple<std::u16string_view, Rect, unsigned, DrawTextParams*> texts[] = {
      {u"L&1", {50, 0, 110, 12}, kNoPrefix | kLeft, nullptr},
      {u"12 34", {50, 12, 110, 24}, kNoPrefix | kCenter, nullptr},
      {u"123 4", {50, 24, 110, 36}, kNoPrefix | kRight, nullptr},
      {u"one two three four", {115, 0, 160, 30}, kNoPrefix | kWordBreak, nullptr},
      {u"cut at the edge", {0, 32, 30, 43}, kNoPrefix, nullptr},
      {u"0", {50, 36, 110, 43}, kNoPrefix, &margins},
      {u"0", {135, 31, 160, 43}, kNoPrefix | kRight, &margins},
      {u"&ab", {115, 31, 135, 43}, 0, nullptr}};
  for (auto [text, rect, format, params] : texts) dc.DrawText(text, rect, format, params);
  EXPECT_TRUE(Matches("reference-text"));
}

TEST_F(RasterReferenceTest, TextSizesOfTheScreens) {
  for (const auto& [height, weight, y] : {std::tuple{-9, 400, 0}, {-11, 400, 10}, {-16, 700, 23}}) {
    const Font font(SansFont(height, weight));
    dc.SelectFont(&font);
    // The reference drew the substitute face where it falls; we move it.
    const int top = y - font.TextShiftY();
    dc.TextOut(0, top, u"0123456789 -.:%");
    dc.TextOut(100, top, u"ALT km/h");
  }
  EXPECT_TRUE(Matches("reference-sizes"));
}

// Extents as tools/raster-reference gives them (kAny: only the height). Where it gives 41 for "one
// two three four" it measures 'o' and 'w' a pixel wider than it draws them: we measure what we
// draw. GDI's own layout (kGdi) does that too, counts the spaces at a word break into the line and
// opens a line for a leading space. An empty text is one line high, as the height returned says,
// where the reference leaves a multi-line rectangle 0 high.
TEST_F(RasterReferenceTest, CalculatedRectangles) {
#ifdef _WIN32
  constexpr bool kGdi = true;
#else
  constexpr bool kGdi = false;
#endif
  constexpr int kAny = INT_MIN;
  constexpr unsigned kP = kNoPrefix, kW = kNoPrefix | kWordBreak;
  const int amp = dc.GetTextExtent(u"&").cx + 6;
  // text, width, format, right and bottom of the result
  using Case = std::tuple<std::u16string_view, int, unsigned, int, int>;
  // clang-format off
  const Case cases[] = {
      {u"0123", 100, kP, 24, 12}, {u"0123", 0, kW, 24, 12}, {u"a  b", 10, kW, 9, 24},
      {u"a   b", 10, kW, 9, 24}, {u"a b  ", 10, kW, 9, 24}, {u"ab  ", 100, kW, 18, 12},
      {u"00 00    00", 27, kW, kGdi ? 24 : 27, kGdi ? 36 : 24},
      {u"00 00 00", 26, kW, kGdi ? 15 : 12, 36},
      {u"00 00 00", 27, kP, 42, 12}, {u"", 100, kP, 0, 12}, {u"A\n", 100, kP, kAny, 12},
      {u"\n\n", 100, kP, 0, 24}, {u"A\r\nB", 100, kP, kAny, 24}, {u"A\n\rB", 100, kP, kAny, 24},
      {u"A\n\nB", 100, kP, kAny, 36}, {u"A\r\rB", 100, kP, kAny, 36}, {u"&0", 100, kP, amp, 12},
      {u"\r\n\r\n\n", 40, kP, 0, 36}, {u"&&0", 100, 0, amp, 12}, {u"0&", 100, 0, amp, 12},
      {u"abcdefghijklmnop qr", 20, kW, kAny, 24}, {u" abcdefghijklmnop", 20, kW, kAny, kGdi ? 24 : 12},
      {u"one two three four", 45, kW, kGdi ? 41 : 40, 36}, {u"", 100, kP | kSingleLine, 0, 12}};
  // clang-format on
  const auto check = [this](const Case& c, DrawTextParams* params) {
    const auto& [text, width, format, right, bottom] = c;
    Rect got{0, 0, width, 10};
    const int height = dc.DrawText(text, got, format | kCalcRect, params);
    EXPECT_EQ(std::pair(got, height),
              std::pair(Rect{0, 0, right == kAny ? got.right : right, bottom}, bottom))
        << std::string(text.begin(), text.end()) << " in " << width;
  };
  for (const Case& c : cases) check(c, nullptr);
  DrawTextParams margins{0, 1, 1, 0}, leftMargin{0, 2, 0, 0};
  for (DrawTextParams* params : {&margins, &leftMargin}) check({u"0", 100, kP, 8, 12}, params);
}

// Metrics tools/raster-reference reports: height and weight asked, then
// ascent, descent, average character width, width of the ten digits.
TEST_F(RasterReferenceTest, FontMetrics) {
  const std::tuple<int, int, int, int, int, int> cases[] = {
      {-9, 400, 8, 2, 5, 50},    {-11, 400, 10, 2, 6, 60}, {-16, 400, 14, 3, 9, 90},
      {12, 400, 10, 2, 6, 60},   {-9, 700, 8, 2, 6, 50},   {-11, 700, 10, 2, 7, 60},
      {-16, 700, 14, 3, 10, 90}, {12, 700, 10, 2, 7, 60}};
  for (const auto& [height, weight, ascent, descent, average, digits] : cases) {
    const Font font(SansFont(height, weight));
    dc.SelectFont(&font);
    const FontMetrics& m = dc.GetTextMetrics();
    EXPECT_EQ(std::tuple(m.ascent, m.descent, m.height, m.averageCharWidth,
                         dc.GetTextExtent(u"0123456789").cx),
              std::tuple(ascent, descent, ascent + descent, average, digits))
        << height << " " << weight;
  }
}

// The frames of tools/raster-reference/icons.cpp: stored icon paths, drawn at (x, y) in cx × cy.
struct IconReferenceTest : ::testing::Test, RasterScene {
  void Draw(const std::string& file, int x, int y, int cx, int cy) {
    const auto icon = LoadIconFile(HostPath(kRoot + "\\" + file), cx, cy);
    ASSERT_NE(icon, nullptr) << file;
    ASSERT_EQ(std::pair(icon->width, icon->height), std::pair(cx, cy)) << file;
    dc.DrawIcon(x, y, *icon, cx, cy);
  }
  // In `wine` areas, where Wine's loader does not stand for the desktop, the
  // golden's own pixels are kept. Then the frame is cleared for the next.
  void Expect(const std::string& frame, const std::vector<Rect>& wine = {}) {
    const std::string name = "reference-icons-" + frame;
    const std::string golden = ReadFile(kRoot + "/tests/golden/" + name + ".txt");
    std::string art = Art();
    for (const Rect& a : wine)  // 160 pixels and a newline a row
      for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x) art.at(y * 161 + x) = golden.at(y * 161 + x);
    EXPECT_TRUE(MatchesGolden(name, art));
    dc.FillRect({0, 0, 160, 43}, GetStockBrush(StockBrush::Black));
  }
};

// The project's own icons at their size and scaled, over black and white.
TEST_F(IconReferenceTest, ProjectIcons) {
  const std::tuple<int, const char*, int, int, int> icons[] = {
      // frame, file, x, cx, cy
      {0, "seafire\\1_0", 2, 15, 30}, {0, "me109\\4_1", 20, 38, 30}, {0, "f4u\\2_0", 60, 23, 30},
      {0, "zero\\1_0", 86, 29, 30},   {0, "yak1\\4_0", 117, 42, 30}, {1, "seafire\\3_0", 2, 20, 30},
      {1, "me109\\4_1", 25, 19, 30},  {1, "zero\\2_0", 47, 30, 30},  {1, "me109\\1_0", 80, 18, 15},
      {1, "yak1\\4_0", 100, 25, 30},  {1, "f4u\\3_0", 128, 29, 40}};
  for (const int frame : {0, 1}) {
    dc.FillRect({0, 20, 160, 43}, kWhiteBrush);
    if (frame == 0) dc.FillRect({8, 0, 12, 43}, kWhiteBrush);
    for (const auto& [f, file, x, cx, cy] : icons)
      if (f == frame) Draw(std::string("assets\\images\\") + file + ".ico", x, 2, cx, cy);
    Expect(frame == 0 ? "project" : "project-scaled");
  }
}

// Each size shows the entry it chose. At 16 x 40 the 16 and 32 pixel ones tie:
// Wine keeps the first in the file, we the larger (as the descending file has).
TEST_F(IconReferenceTest, EntryChosenForEachSize) {
  for (const std::string order : {"ascending", "descending"}) {
    const std::tuple<int, int, int> sizes[] = {{2, 16, 16},  {20, 24, 24},  {46, 30, 30},
                                               {78, 40, 40}, {120, 20, 20}, {142, 16, 40}};
    for (const auto& [x, cx, cy] : sizes)
      Draw("tests\\data\\icons\\sizes-" + order + ".ico", x, 1, cx, cy);
    Expect("sizes-" + order, {{142, 1, order == "ascending" ? 158 : 142, 41}});
  }
}

// Each entry kind, at its size and scaled. Wine draws 32-bit entries through
// their AND mask and PNG ones by "alpha below 255"; the desktop blends by alpha
// as our threshold does: those two columns are compared in their opaque bands.
TEST_F(IconReferenceTest, MaskOfEachEntryKind) {
  std::vector<Rect> wine;
  for (int x = 2; const std::string kind :
                  {"1bit", "4bit", "8bit", "24bit", "32bit-alpha", "32bit-noalpha", "png"}) {
    dc.FillRect({x - 1, 0, x + 10, 43}, kWhiteBrush);
    for (const auto& [y, size] : {std::pair{1, 16}, {21, 20}})
      Draw("tests\\data\\icons\\mask-" + kind + ".ico", x, y, size, size);
    if (kind == "32bit-alpha" || kind == "png")
      wine.insert(wine.end(), {{x, 5, x + 20, 17}, {x, 25, x + 20, 41}});
    x += 23;
  }
  Expect("masks", wine);
}

}  // namespace
}  // namespace korvan::testing
