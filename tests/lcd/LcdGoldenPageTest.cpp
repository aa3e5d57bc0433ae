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

#include "lcd/LcdIconItem.h"
#include "lcd/LcdPage.h"
#include "lcd/LcdProgressBar.h"
#include "lcd/LcdStatus.h"
#include "lcd/LcdStreamingText.h"
#include "lcd/LcdTextItem.h"
#include "platform/images/ImageFile.h"
#include "tests/lcd/LcdTestImages.h"
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
    return Add(std::move(item));
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

  // Keeps `item` alive for the test and puts it on the page.
  template <typename Item>
  Item& Add(std::unique_ptr<Item> item) {
    Item& added = *item;
    page.AddItem(item.get());
    owned.push_back(std::move(item));
    return added;
  }

  FakeClock clock{1};
  LcdPage page{clock};
  std::vector<std::unique_ptr<LcdItem>> owned;
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

// The seafire icon set at its status-page places over a band of text, and a
// hand-made ring stretched over text: their transparent parts show the text.
TEST_F(LcdGoldenPageTest, IconsOverTextShowItThroughTheirTransparentParts) {
  AddText(2, kLeft, 0, 0, 160, 1, u"88888888888888");
  AddText(1, kLeft, 0, 18, 160, 1, u"THROUGH THE ICONS");
  struct Placed {
    const char* file;
    int x;
    int width;
  };
  const Placed seafire[] = {{"1_1", 1, 15}, {"2_1", 16, 30}, {"3_2", 46, 10}, {"4_2", 56, 35}};
  std::vector<std::unique_ptr<IconImage>> icons;
  for (const Placed& p : seafire) {
    const std::string path =
        std::string(KORVAN_SOURCE_DIR) + "/assets/images/seafire/" + p.file + ".ico";
    icons.push_back(LoadIconFile(path, p.width, 30));
    ASSERT_NE(icons.back(), nullptr) << path;
    auto item = std::make_unique<LcdIconItem>();
    item->SetOrigin(p.x, 0);
    item->SetSize(p.width, 30);
    item->SetIcon(icons.back().get(), p.width, 30);
    item->SetKind(LcdItemKind::Icon);
    Add(std::move(item));
  }
  // A 10 × 10 ring, drawn at 30 × 30: lit edge, see-through inside and out.
  const IconImage ring = MakeIcon(10, 10, [](int x, int y) {
    const int dx = 2 * x - 9;
    const int dy = 2 * y - 9;
    const int r = dx * dx + dy * dy;
    return r >= 36 && r <= 81;
  });
  auto item = std::make_unique<LcdIconItem>();
  item->SetOrigin(96, 2);
  item->SetSize(40, 38);  // larger than the icon: the rest stays as it was
  item->SetIcon(&ring, 30, 30);
  Add(std::move(item));
  EXPECT_TRUE(RenderMatches("page-icons-over-text"));
}

// The three styles at a quarter, a half and the full range, plus an empty
// range (frame only) and a bar lower than the default 5 rows.
TEST_F(LcdGoldenPageTest, ProgressBarStyles) {
  const LcdProgressStyle styles[] = {LcdProgressStyle::Filled, LcdProgressStyle::Cursor,
                                     LcdProgressStyle::DottedCursor};
  const float positions[] = {25.0F, 50.0F, 100.0F};
  for (int s = 0; s < 3; ++s) {
    for (int p = 0; p < 3; ++p) {
      auto bar = std::make_unique<LcdProgressBar>();
      bar->Initialize();
      bar->SetOrigin(p * 54, s * 8);
      bar->SetSize(52, 5);
      bar->SetStyle(styles[s]);
      bar->SetPos(positions[p]);
      Add(std::move(bar));
    }
  }
  auto empty = std::make_unique<LcdProgressBar>();
  empty->Initialize();
  empty->SetOrigin(0, 26);
  empty->SetSize(160, 7);
  empty->SetRange(10, 10);
  Add(std::move(empty));
  auto tall = std::make_unique<LcdProgressBar>();
  tall->Initialize();
  tall->SetOrigin(0, 35);
  tall->SetSize(160, 8);
  tall->SetStyle(LcdProgressStyle::DottedCursor);
  tall->SetRange(-50, 50);
  tall->SetPos(10.0F);
  Add(std::move(tall));
  EXPECT_TRUE(RenderMatches("page-progress-bars"));
}

// Two tickers made as the facade makes them, after 8 s of 100 ms cycles:
// the long text has run for 5.9 s, past one whole piece, and the short one
// stands centred.
TEST_F(LcdGoldenPageTest, StreamingTextAfterItHasRun) {
  auto makeTicker = [&](int x, int y, int width, const char16_t* text) -> LcdStreamingText& {
    auto ticker = std::make_unique<LcdStreamingText>(clock);
    ticker->Initialize();
    ticker->SetOrigin(0, 0);
    ticker->SetFontFaceName(u"Microsoft Sans Serif");
    ticker->SetAlignment(kCenter);
    ticker->SetText(u" ");
    ticker->SetGapText(u"       ");
    ticker->SetSpeed(7);
    ticker->SetStepSize(7);
    ticker->SetStartDelay(2000);
    ticker->SetSize(width, 13);
    ticker->SetFontPointSize(8);
    ticker->SetLogicalOrigin(0, -2);
    ticker->SetKind(LcdItemKind::StreamingText);
    ticker->SetOrigin(x, y);
    ticker->SetText(text);
    return Add(std::move(ticker));
  };
  AddText(1, kLeft, 0, 0, 160, 1, u"TICKERS");
  LcdStreamingText& running =
      makeTicker(0, 14, 160, u"LONG TEXT RUNS: ALT 1234 M, SPD 456 KM/H, HDG 270");
  running.SetSpeed(70);  // ten times the default, so the band goes round
  makeTicker(40, 30, 80, u"FITS");
  const LcdTextItem* firstPiece = nullptr;
  for (int cycle = 0; cycle < 80; ++cycle) {
    clock.Advance(100);
    page.Advance(clock.TickCount());
    ASSERT_EQ(page.Render(), kStatusOk);
    if (cycle == 0) firstPiece = running.GetPiece(0);
  }
  ASSERT_EQ(running.GetPieceCount(), 4U);
  EXPECT_NE(running.GetPiece(0), firstPiece) << "the first copy has left and gone to the end";
  EXPECT_TRUE(RenderMatches("page-streaming-text"));
}

}  // namespace
}  // namespace korvan::testing
