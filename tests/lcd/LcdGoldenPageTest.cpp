// Whole pages composed the way the screens compose them, compared with the
// text-art frames under tests/golden. To accept a deliberate change, run
//   KORVAN_UPDATE_GOLDEN=1 ctest --test-dir build -R LcdGoldenPage
// and review the diff of tests/golden. Every run also writes the pages as
// PNG (1:1 and 4:1) to lcd-pages/ in the build folder for a look by eye.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "lcd/LcdTextItem.h"
#include "tests/platform/FontPins.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

using namespace DrawTextFormat;

// The three text classes of the screens: 7 pt, 8 pt and 12 pt bold, each in
// a box of its own height with the blank rows above the digits pulled out of
// the box. With Liberation Sans those are 1, 2 and 2 rows; the 3, 2 and 4 the
// screens were first laid out with cut into 7-point and bold digits (shown
// on the logical-origin page).
struct TextClass {
  int points;
  int boxHeight;
  int logicalY;
  int weight;
};
constexpr TextClass kClasses[] = {{7, 12, -1, 0}, {8, 13, -2, 0}, {12, 20, -2, kWeightBold}};

class LcdGoldenPageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }
  void SetUp() override { ASSERT_EQ(page.Initialize(), kStatusOk); }

  LcdTextItem& AddText(int size, unsigned alignment, int x, int y, int width, int lines,
                       const char16_t* text) {
    const TextClass& c = kClasses[size];
    auto item = std::make_unique<LcdTextItem>();
    item->SetFontFaceName(u"Microsoft Sans Serif");
    item->SetAlignment(alignment);
    item->SetBackgroundMode(kOpaque);
    if (c.weight != 0) item->SetFontWeight(c.weight);
    item->SetOrigin(x, y);
    item->SetSize(width, c.boxHeight * lines);
    item->SetFontPointSize(c.points);
    item->SetLogicalOrigin(0, c.logicalY);
    item->SetKind(LcdItemKind::Text);
    if (lines > 1) item->SetWordWrap(true);
    item->SetText(text);
    page.AddItem(item.get());
    items.push_back(std::move(item));
    return *items.back();
  }

  ::testing::AssertionResult RenderMatches(const std::string& name) {
    if (page.Render() != kStatusOk) return ::testing::AssertionFailure() << "render failed";
    const LcdFrame& frame = *page.GetFrame();
    const std::string art = FrameToArt(frame.pixels.data(), kLcdWidth, kLcdHeight, kLcdWidth);
    if (const char* build = std::getenv("KORVAN_BUILD_DIR")) {
      const std::filesystem::path dir = std::filesystem::path(build) / "lcd-pages";
      std::filesystem::create_directories(dir);
      WriteArtPng((dir / (name + ".png")).string(), art, 1);
      WriteArtPng((dir / (name + "-x4.png")).string(), art, 4);
    }
    return MatchesGolden(name, art);
  }

  FakeClock clock{1};
  LcdPage page{clock};
  std::vector<std::unique_ptr<LcdTextItem>> items;
};

TEST_F(LcdGoldenPageTest, TextClassesAndAlignments) {
  AddText(2, kLeft, 0, 0, 52, 1, u"123");
  AddText(2, kCenter, 54, 0, 52, 1, u"456");
  AddText(2, kRight, 108, 0, 52, 1, u"789");
  AddText(1, kLeft, 0, 18, 40, 1, u"ALT");
  AddText(1, kCenter, 40, 18, 40, 1, u"km/h");
  AddText(1, kRight, 80, 18, 40, 1, u"12345");
  AddText(1, kRight, 120, 18, 40, 1, u"-0.57");
  AddText(0, kLeft, 0, 31, 56, 1, u"0123456789");
  AddText(0, kRight, 58, 31, 16, 1, u"888");
  AddText(0, kCenter, 76, 31, 84, 1, u"HDG 359 %:");
  EXPECT_TRUE(RenderMatches("page-text-classes"));
}

TEST_F(LcdGoldenPageTest, OpaqueOverlapInversionAndWrapping) {
  AddText(2, kLeft, 0, 0, 100, 1, u"88888888");
  AddText(1, kRight, 30, 4, 40, 1, u"OVER");
  LcdTextItem& inverted = AddText(1, kCenter, 104, 0, 56, 1, u"INV");
  inverted.SetInverted(true);
  AddText(0, kLeft, 0, 20, 70, 2, u"word wrap keeps whole words");
  AddText(1, kLeft, 76, 20, 84, 2, u"line\nbreak");
  EXPECT_TRUE(RenderMatches("page-opaque-overlap"));
}

TEST_F(LcdGoldenPageTest, LogicalOriginShiftsGlyphsUp) {
  for (int i = 0; i < 5; ++i) {
    LcdTextItem& item = AddText(1, kLeft, i * 32, 0, 30, 1, u"Bg8");
    item.SetLogicalOrigin(0, -i);
  }
  // Left: the 7-point and bold classes at -3 and -4; right: at -1 and -2.
  AddText(0, kLeft, 0, 14, 40, 1, u"0123").SetLogicalOrigin(0, -3);
  AddText(0, kLeft, 80, 14, 40, 1, u"0123");
  AddText(2, kLeft, 0, 26, 60, 1, u"4567").SetLogicalOrigin(0, -4);
  AddText(2, kLeft, 80, 26, 60, 1, u"4567");
  EXPECT_TRUE(RenderMatches("page-logical-origin"));
}

}  // namespace
}  // namespace korvan::testing
