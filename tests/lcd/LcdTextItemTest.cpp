#include "lcd/LcdTextItem.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "tests/lcd/LcdTestItems.h"
#include "tests/platform/FontPins.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

using namespace DrawTextFormat;

std::u16string FaceOf(LcdTextItem& item) {
  const auto& name = item.GetFont()->Description().faceName;
  return std::u16string(name.data());
}

class LcdTextItemTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }
  void SetUp() override {
    ASSERT_EQ(page.Initialize(), kStatusOk);
    ASSERT_EQ(item.Initialize(), kStatusOk);
    item.SetOrigin(10, 10);
    item.SetSize(40, 12);
    page.AddItem(&item);
  }

  const LcdFrame& Render() {
    EXPECT_EQ(page.Render(), kStatusOk);
    return *page.GetFrame();
  }

  // Draws the item straight onto the canvas of a fresh pass, without the
  // group's clip and viewport.
  const LcdFrame& DrawDirectly(bool whiteFirst) {
    canvas.Destroy();
    EXPECT_EQ(canvas.Create(160, 43), kStatusOk);
    canvas.BeginDraw();
    canvas.Clear();
    if (whiteFirst) canvas.FillBox(0, 0, 160, 43);
    item.Draw(canvas);
    canvas.EndDraw();
    return *canvas.GetFrame();
  }

  FakeClock clock;
  LcdPage page{clock};
  LcdTextItem item;
  LcdCanvas canvas;
};

TEST_F(LcdTextItemTest, FontSettingsAreBoundedAndKeepTheOtherFields) {
  for (auto [points, height] : {std::pair{7, -9}, {12, -16}, {0, 0}, {-8, 11}, {INT_MAX, 1}}) {
    item.SetFontPointSize(points);
    EXPECT_EQ(item.GetFont()->Description().height, height) << points << " points";
  }
  item.SetFontPointSize(-8);
  item.SetFontWeight(kWeightBold);
  EXPECT_EQ(item.GetFont()->Description().height, 11) << "other fields are kept";
  item.SetFontFaceName(u"An Exceedingly Long Face Name That Goes On");
  EXPECT_EQ(FaceOf(item), u"An Exceedingly Long Face Name T") << "cut to keep its terminator";
  EXPECT_EQ(item.GetFont()->Description().weight, kWeightBold);
  const Font* before = item.GetFont();
  item.SetFontFaceName(nullptr);
  EXPECT_EQ(item.GetFont(), before);
}

TEST_F(LcdTextItemTest, OnlyANewTextIsMeasuredAgainAndResetsTheMargins) {
  item.SetText(u"123");
  Render();
  item.SetLeftMargin(2);
  item.SetText(std::u16string(u"123").c_str());
  EXPECT_FALSE(item.NeedsMeasure());
  EXPECT_EQ(item.GetLeftMargin(), 2);
  item.SetText(u"124");
  EXPECT_TRUE(item.NeedsMeasure());
  EXPECT_EQ(item.GetLeftMargin(), 0);
  item.SetText(nullptr);
  EXPECT_EQ(std::u16string(item.GetText()), u"124");
}

TEST_F(LcdTextItemTest, EmptyOrInvisibleTextPaintsOnlyTheOpaqueBackground) {
  item.SetBackgroundMode(kOpaque);
  const LcdFrame& empty = DrawDirectly(true);
  EXPECT_EQ(LitIn(empty, {0, 0, 40, 12}), 0);
  EXPECT_EQ(LitTotal(empty), 160 * 43 - 40 * 12);
  EXPECT_EQ(item.GetLineExtent(), (Size{0, 0}));
  item.SetText(u"888");
  item.SetVisible(false);
  const LcdFrame& hidden = DrawDirectly(true);
  EXPECT_EQ(item.GetLineExtent(), (Size{18, 12})) << "still measured";
  EXPECT_EQ(LitIn(hidden, {0, 0, 40, 12}), 0);
}

TEST_F(LcdTextItemTest, LongLinesOverflowTheirExtentAndWrappedOnesGrowDown) {
  item.SetText(u"0000 1111 2222 3333");
  Render();
  EXPECT_EQ(item.GetLineExtent(), (Size{6 * 16 + 3 * 3, 12}));
  EXPECT_EQ(item.GetWrappedExtent(), (Size{24, 48})) << "one digit group per 40-pixel line";
  EXPECT_EQ(LitIn(*page.GetFrame(), {50, 0, 160, 43}), 0) << "cut at the box";
  item.SetWordWrap(true);
  EXPECT_TRUE(item.NeedsMeasure());
  EXPECT_EQ(item.GetFormat(), kNoPrefix | kWordBreak);
  Render();
  EXPECT_EQ(item.GetLineExtent(), (Size{24, 48}));
  EXPECT_EQ(LitIn(*page.GetFrame(), {10, 22, 160, 43}), 0) << "lines below the box are cut";
}

TEST_F(LcdTextItemTest, AmpersandsAreDrawnAsThemselves) {
  item.SetText(u"&&");
  Render();
  RasterContext dc;
  EXPECT_EQ(item.GetLineExtent().cx, 2 * dc.GetTextExtent(u"&").cx);
}

TEST_F(LcdTextItemTest, InversionCoversTheWholeLogicalRectangle) {
  item.SetText(u"1");
  const int plain = LitTotal(Render());
  item.SetInverted(true);
  EXPECT_EQ(LitTotal(Render()), 40 * 12 - plain);
  item.SetLogicalSize(20, 12);
  EXPECT_EQ(LitTotal(Render()), 20 * 12 - plain);
}

TEST_F(LcdTextItemTest, AlignmentReplacesOnlyWhatItAdded) {
  item.SetWordWrap(true);
  item.SetAlignment(kCenter);
  EXPECT_EQ(item.GetFormat(), kNoPrefix | kWordBreak | kCenter);
  item.SetAlignment(kRight);
  EXPECT_EQ(item.GetFormat(), kNoPrefix | kWordBreak | kRight);
  item.SetAlignment(kLeft);
  EXPECT_EQ(item.GetFormat(), kNoPrefix | kWordBreak);
}

TEST_F(LcdTextItemTest, DrawLeavesTheContextAsItFoundIt) {
  item.SetText(u"42");
  item.SetBackgroundMode(kOpaque);
  canvas.Destroy();
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  canvas.BeginDraw();
  RasterContext& dc = *canvas.GetDeviceContext();
  dc.SetBackgroundMode(kTransparent);
  const RasterState before = dc.State();
  item.Draw(canvas);
  EXPECT_EQ(dc.State().font, before.font);
  EXPECT_EQ(dc.State().backgroundMode, kTransparent);
  EXPECT_EQ(dc.State().textColor, before.textColor);
  canvas.EndDraw();
}

TEST_F(LcdTextItemTest, BadTextAndBadSizesAreHarmless) {
  std::u16string huge(100000, u'7');
  huge[50000] = u' ';
  item.SetWordWrap(true);
  item.SetText(huge.c_str());
  Render();
  EXPECT_EQ(item.GetWrappedExtent().cy, 24) << "two words, each on its own line";
  EXPECT_EQ(LitIn(*page.GetFrame(), {50, 0, 160, 43}), 0);

  item.SetText(u"\n\r\n\n");
  Render();
  EXPECT_EQ(item.GetLineExtent(), (Size{0, 36}));
  EXPECT_EQ(LitTotal(*page.GetFrame()), 0);

  item.SetText(u"a\U0001F600\xD800");
  Render();
  EXPECT_GT(LitTotal(*page.GetFrame()), 0);

  item.SetText(u"888");
  item.SetBackgroundMode(kOpaque);
  item.SetSize(0, 0);
  EXPECT_EQ(LitTotal(Render()), 0);
  item.SetSize(-40, -12);
  EXPECT_EQ(LitTotal(Render()), 0) << "a negative box has no area to draw in";
  EXPECT_EQ(item.GetLineExtent().cx, 18);
}

}  // namespace
}  // namespace korvan::testing
