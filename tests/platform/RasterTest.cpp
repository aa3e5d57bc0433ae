#include <algorithm>
#include <climits>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/fonts/FaceSubstitution.h"
#include "platform/fonts/FontLibrary.h"
#include "platform/text/Utf16.h"
#include "tests/platform/RasterScene.h"
#include "tests/support/TempDir.h"

namespace korvan::testing {
namespace {

using namespace DrawTextFormat;

struct RasterGolden : ::testing::Test, RasterScene {};

// Drawn before the wipe (the white fill inverted) for the sanitizer build: a stray write fails it.
TEST_F(RasterGolden, ExtremeCoordinatesHugeTextsAndEmptyClips) {
  RasterContext none;  // without a surface nothing is drawn
  Rect rect{0, 0, 50, 20};
  none.FillRect(rect, kWhiteBrush);
  none.LineTo(30, 30);
  EXPECT_GT(none.DrawText(u"text", rect, kNoPrefix, nullptr), 0);
  const std::u16string surrogates = u"\U0001F600x\xD800y\xDC00";  // one whole, two broken
  dc.DrawText(surrogates, rect, kNoPrefix, nullptr);
  EXPECT_GT(dc.GetTextExtent(surrogates).cx, dc.GetTextExtent(u"xy").cx);
  dc.TextOut(0, 20, std::u16string(1, u'\xD800'));
  std::u16string huge(100000, u'8');
  for (std::size_t i = 7; i < huge.size(); i += 8) huge[i] = u' ';
  rect = {0, 0, 160, 43};
  dc.DrawText(huge, rect, kNoPrefix | kWordBreak, nullptr);
  // Words of seven 6-pixel digits, three to a 160-pixel line.
  EXPECT_EQ(dc.DrawText(huge, rect, kNoPrefix | kWordBreak | kCalcRect, nullptr), 12 * 4167);
  dc.TextOut(-50, 5, huge);
  dc.SetViewportOrigin({150, 40});
  dc.TextOut(0, 0, huge);
  // Coordinates that saturate: no wrap-round.
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
  // Far through the viewport: only the inner edge of a surface-sized frame.
  dc.SetViewportOrigin({-1000, -1000});
  dc.FillRect({-5000, -5000, 5000, 5000}, kWhiteBrush);
  dc.InvertRect({-5000, -5000, 5000, 5000});
  dc.FrameRect({1000, 1000, 1160, 1043}, kWhiteBrush);
  for (const Point& p : {Point{999, 1000}, {1160, 1000}, {1000, 1043}})
    dc.SetPixel(p.x, p.y, kWhite);
  dc.SelectPen(&GetStockPen(StockPen::White));
  Line(-100000, 1020, 100000, 1020);
  // Lines from one end of the range to the other, and a backwards fill.
  dc.SetViewportOrigin({0, 0});
  Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  Line(INT_MIN, 30, INT_MAX, 30);
  dc.FillRect({INT_MAX, 35, INT_MIN, 37}, kWhiteBrush);
  // A backwards clip shows nothing; kNoClip draws past the rectangle.
  dc.SelectClipRect({20, 20, 10, 30});
  dc.FillRect({0, 0, 160, 43}, kWhiteBrush);
  dc.TextOut(0, 0, u"888");
  dc.RemoveClip();
  Rect narrow{100, 4, 120, 8};
  dc.DrawText(u"88888888", narrow, kNoPrefix | kNoClip, nullptr);
  EXPECT_TRUE(Matches("raster-edges"));
}

TEST_F(RasterGolden, BlitsAndIconsThroughViewportAndClip) {
  const BitmapImage halfLit{4, 2, {0, 0, 255, 255, 0, 0, 255, 255}};
  // Top left, over a white row: of a window from source column -2 to 7 and
  // rows 0 to 3, only the 4 × 2 the source holds is copied.
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
  // An icon whose top row is opaque white, opaque black, see-through and inverting, over black then
  // white: twice as large, halved (source columns 0 and 2), and doubled through a one-column clip.
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
  // Left, below: empty or negative extents and short planes draw nothing.
  BitmapImage shortBitmap = halfLit;
  shortBitmap.pixels.pop_back();
  IconImage shortIcon = icon;
  shortIcon.mask.pop_back();
  dc.SetViewportOrigin({0, 20});
  for (const auto& [cx, cy] : {std::pair{0, 2}, {4, -1}}) dc.BitBlt(0, 0, cx, cy, halfLit, 0, 0);
  dc.BitBlt(0, 0, 4, 2, shortBitmap, 0, 0);
  dc.DrawIcon(0, 0, icon, -4, 2);
  dc.DrawIcon(0, 0, shortIcon, 4, 2);
  EXPECT_TRUE(Matches("raster-images"));
}

// Lines crossing a clip, whichever way they run, light its edges and nothing outside.
TEST_F(RasterGolden, ALineIsCutToTheClipWhicheverWayItRuns) {
  dc.SelectPen(&GetStockPen(StockPen::White));
  dc.SelectClipRect({10, 10, 30, 30});
  Line(40, 12, 0, 12);
  Line(0, 14, 40, 14);
  Line(12, 40, 12, 0);
  const auto lit = [this](int x, int y) { return surface->Row(y)[x] == kWhitePixel; };
  EXPECT_EQ(
      std::vector<bool>({lit(9, 12), lit(10, 12), lit(29, 12), lit(30, 12), lit(9, 14), lit(10, 14),
                         lit(29, 14), lit(12, 9), lit(12, 10), lit(12, 29), lit(12, 30)}),
      std::vector<bool>({false, true, true, false, false, true, true, false, true, true, false}));
}

// A single line centred in a taller rectangle starts half the rows it leaves below the top.
TEST_F(RasterGolden, ASingleLineCentresInItsRectangle) {
  const auto firstLitRow = [this](const Rect& box, unsigned format) {
    dc.FillRect({0, 0, 160, 43}, GetStockBrush(StockBrush::Black));
    Rect rect = box;
    dc.DrawText(u"8", rect, kSingleLine | format, nullptr);
    for (int y = 0; y < 43; ++y)
      if (std::count(surface->Row(y), surface->Row(y) + 160, kWhitePixel) > 0) return y;
    return -1;
  };
  const int atTop = firstLitRow({0, 0, 40, 30}, 0);
  EXPECT_EQ(firstLitRow({0, 0, 40, 30}, kVCenter), atTop + (30 - dc.GetTextMetrics().height) / 2);
}

// A prefix underlines the row under the baseline, to a pixel short of the next.
TEST_F(RasterGolden, PrefixUnderlineIsOneRowUnderTheBaseline) {
  Rect rect{0, 0, 40, 20};
  dc.DrawText(u"&8", rect, 0, nullptr);
  const int baseline = dc.GetTextMetrics().ascent + font.TextShiftY();
  const auto lit = [this](int y) {
    return static_cast<int>(std::count(surface->Row(y), surface->Row(y) + 40, kWhitePixel));
  };
  EXPECT_EQ(std::pair(lit(baseline + 1), lit(baseline + 2)),
            std::pair(dc.GetTextExtent(u"8").cx - 1, 0));
}

// Face names for fontconfig: UTF-8 of each length, surrogate pairs whole, lone ones as U+FFFD.
TEST(Utf16, NamesBecomeUtf8CodePointByCodePoint) {
  const std::pair<std::u16string, std::string> rows[] = {
      {u"Arial", "Arial"},
      {u"\u00e9\u07ff", "\xc3\xa9\xdf\xbf"},
      {u"\u0800\uffff", "\xe0\xa0\x80\xef\xbf\xbf"},
      {u"\U0001F600", "\xf0\x9f\x98\x80"},
      {u"a\xd800", "a\xef\xbf\xbd"},
      {u"\xdc00\x62", "\xef\xbf\xbd\x62"}};  // 0x62: b
  for (const auto& [text, utf8] : rows) EXPECT_EQ(Utf8FromUtf16(text), utf8);
}

TEST(FontLibrary, FacesResolveAndOddSizesStillGiveASaneFont) {
  FontLibrary& library = FontLibrary::Instance();
#ifdef _WIN32
  // GDI names the face it picked; Wine's stand-in is Liberation Sans.
  EXPECT_FALSE(library.ResolvePath(u"MS Sans Serif", false).empty());
  EXPECT_FALSE(Font::StockGui().Face().Path().empty());
#else
  // Not pinned: our own preference must find Liberation Sans through fontconfig.
  const auto file = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
  EXPECT_EQ(file(library.ResolvePath(u"MS Sans Serif", false)), "LiberationSans-Regular.ttf");
  EXPECT_EQ(file(library.ResolvePath(u"MS Sans Serif", true)), "LiberationSans-Bold.ttf");
  EXPECT_EQ(file(Font::StockGui().Face().Path()), "LiberationSans-Regular.ttf");
  // A file that will not open makes an empty face: as tall as asked, nothing wide.
  library.Pin(u"None", false, "/nonexistent.ttf");
  const Font none(FontDescription{-11, kWeightNormal, {u'N', u'o', u'n', u'e'}});
  const FontMetrics& m = none.Face().Metrics();
  EXPECT_EQ(
      std::tuple(m.ascent, m.descent, m.height, m.averageCharWidth, none.Face().RowsAboveDigits()),
      std::tuple(11, 0, 11, 5, -1));
  RasterContext measuring;
  measuring.SelectFont(&none);
  EXPECT_EQ(measuring.GetTextExtent(u"8").cx, 0);
  // Without the OS/2 table's Windows metrics a face is measured by its own
  // ascender and descender, which in Liberation Sans agree with them.
  std::string bytes = ReadFile("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf");
  const auto* at = reinterpret_cast<const unsigned char*>(&bytes[bytes.find("OS/2") + 8]);
  const std::size_t os2 = std::size_t{at[0]} << 24 | at[1] << 16 | at[2] << 8 | at[3];
  bytes.replace(os2 + 74, 4, 4, '\0');  // usWinAscent, usWinDescent
  const TempDir folder;
  library.Pin(u"NoWin", false, folder.Write("nowin.ttf", bytes).string());
  const Font noWin(FontDescription{-11, kWeightNormal, {u'N', u'o', u'W', u'i', u'n'}});
  const Font sans(SansFont(-11));
  EXPECT_EQ(std::pair(noWin.Face().Metrics().ascent, noWin.Face().Metrics().height),
            std::pair(sans.Face().Metrics().ascent, sans.Face().Metrics().height));
#endif
  RasterContext dc;  // measures without a surface
  FontDescription unknown = SansFont(-11);
  std::u16string_view(u"No Such Face At All.").copy(unknown.faceName.data(), 20);
  const Font fallback(unknown);
  dc.SelectFont(&fallback);
  EXPECT_GT(dc.GetTextExtent(u"8").cx, 0);
  // 0 is the default height; absurd ones are capped.
  for (const auto& [height, pixels] :
       {std::pair{0, 11}, {-1, 1}, {INT_MIN, 256}, {-100000, 256}, {100000, 256}, {INT_MAX, 256}}) {
    const Font font(SansFont(height, 0));
    dc.SelectFont(&font);
    EXPECT_EQ(font.Face().PixelSize(), pixels) << height;
    EXPECT_LE(dc.GetTextExtent(u"W").cx, 512);
    EXPECT_GE(font.Face().Metrics().height, 0);
  }
}

// A substitute moves by the rows the face asked leaves above its digits less
// its own; other faces, sizes and weights, or an unmeasured face, stay put.
TEST(FaceSubstitution, SubstituteMovesByTheRowsItLacksAboveTheDigits) {
  constexpr std::u16string_view kSans = u"Microsoft Sans Serif";
  using Row = std::tuple<std::u16string_view, int, bool, int, int>;  // face, em, bold, drawn, move
  const Row cases[] = {{kSans, 9, false, 1, 2},  {u"MICROSOFT sans serif", 11, false, 2, 0},
                       {kSans, 16, true, 3, 2},  {kSans, 9, false, 4, -1},
                       {kSans, 16, false, 3, 0}, {kSans, 10, false, 1, 0},
                       {kSans, 9, false, -1, 0}, {u"Arial", 9, false, 1, 0}};
  for (const auto& [face, em, bold, drawn, move] : cases)
    EXPECT_EQ(SubstituteShiftY(face, em, bold, drawn), move) << em << " " << drawn;
  // The pinned Liberation Sans at the three sizes of the screens.
  for (const auto& [height, weight, rows, move] :
       {std::tuple{-9, 400, 1, 2}, {-11, 400, 2, 0}, {-16, 700, 3, 2}, {-16, 400, 3, 0}}) {
    const Font font(SansFont(height, weight));
    EXPECT_EQ(std::pair(font.Face().RowsAboveDigits(), font.TextShiftY()), std::pair(rows, move));
  }
}

}  // namespace
}  // namespace korvan::testing
