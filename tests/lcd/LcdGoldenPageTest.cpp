// Whole pages composed through the facade as the screens compose them. To
// accept a deliberate change: KORVAN_UPDATE_GOLDEN=1 ctest --test-dir build
// -R LcdGolden, then review the diff of tests/golden.
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "lcd/LcdProgressBar.h"
#include "lcd/LcdStreamingText.h"
#include "platform/images/ImageFile.h"
#include "tests/lcd/LcdScene.h"

namespace korvan::testing {
namespace {

using LcdGoldenPageTest = LcdScene;

TEST_F(LcdGoldenPageTest, TextClassesAndAlignments) {
  Texts({{F::Large, A::Left, 0, 0, 52, u"123"},
         {F::Large, A::Center, 54, 0, 52, u"456"},
         {F::Large, A::Right, 108, 0, 52, u"789"},
         {F::Medium, A::Left, 0, 18, 40, u"ALT"},
         {F::Medium, A::Center, 40, 18, 40, u"km/h"},
         {F::Medium, A::Right, 80, 18, 40, u"12345"},
         {F::Medium, A::Right, 120, 18, 40, u"-0.57"},
         {F::Small, A::Left, 0, 31, 56, u"0123456789"},
         {F::Small, A::Right, 58, 31, 16, u"888"},
         {F::Small, A::Center, 76, 31, 84, u"HDG 359 %:"}});
  Run();
  EXPECT_TRUE(Shows("page-text-classes"));
}

TEST_F(LcdGoldenPageTest, OpaqueOverlapInversionAndWrapping) {
  const auto items = Texts({{F::Large, A::Left, 0, 0, 100, u"88888888"},
                            {F::Medium, A::Right, 30, 4, 40, u"OVER"},
                            {F::Medium, A::Center, 104, 0, 56, u"INV"},
                            {F::Small, A::Left, 0, 20, 70, u"word wrap keeps whole words", 2},
                            {F::Medium, A::Left, 76, 20, 84, u"line\nbreak", 2}});
  items[2]->SetInverted(true);
  Run();
  EXPECT_TRUE(Shows("page-opaque-overlap"));
}

// Why the classes lift as they do: the medium class at lifts 0 to 4; the
// small and large ones at 3 and 4 (cutting the digits) and at their own.
TEST_F(LcdGoldenPageTest, LogicalOriginShiftsGlyphsUp) {
  for (int i = 0; i < 5; ++i)
    Text({F::Medium, A::Left, i * 32, 0, 30, u"Bg8"})->SetLogicalOrigin(0, -i);
  Text({F::Small, A::Left, 0, 14, 40, u"0123"})->SetLogicalOrigin(0, -3);
  Text({F::Large, A::Left, 0, 26, 60, u"4567"})->SetLogicalOrigin(0, -4);
  Texts({{F::Small, A::Left, 80, 14, 40, u"0123"}, {F::Large, A::Left, 80, 26, 60, u"4567"}});
  Run();
  EXPECT_TRUE(Shows("page-logical-origin"));
}

// The seafire icons at their status-page places and a ring in a box larger
// than itself, over text that shows through where they are transparent.
TEST_F(LcdGoldenPageTest, IconsOverTextShowItThroughTheirTransparentParts) {
  Texts({{F::Large, A::Left, 0, 0, 160, u"88888888888888"},
         {F::Medium, A::Left, 0, 18, 160, u"THROUGH THE ICONS"}});
  std::vector<std::unique_ptr<IconImage>> icons;
  for (auto [file, x, width] :
       {std::tuple{"1_1", 1, 15}, {"2_1", 16, 30}, {"3_2", 46, 10}, {"4_2", 56, 35}}) {
    const std::string path =
        std::string(KORVAN_SOURCE_DIR) + "/assets/images/seafire/" + file + ".ico";
    icons.push_back(LoadIconFile(path, width, 30));
    ASSERT_NE(icons.back(), nullptr) << path;
    facade.SetPosition(facade.AddIcon(icons.back().get(), width, 30), x, 0);
  }
  // A 10 × 10 ring drawn at 30 × 30: lit edge, see-through inside and out.
  const IconImage ring = MakeIcon(10, 10, [](int x, int y) {
    const int r = (2 * x - 9) * (2 * x - 9) + (2 * y - 9) * (2 * y - 9);
    return r >= 36 && r <= 81;
  });
  Place(facade.AddIcon(&ring, 30, 30), 96, 2, 40, 38);
  Run();
  EXPECT_TRUE(Shows("page-icons-over-text"));
}

// The three styles at a quarter, a half and the full range, plus an empty
// range (frame only) and a bar lower than the default 5 rows.
TEST_F(LcdGoldenPageTest, ProgressBarStyles) {
  const LcdBarStyle styles[] = {LcdBarStyle::Filled, LcdBarStyle::Cursor,
                                LcdBarStyle::DottedCursor};
  const float positions[] = {25.0F, 50.0F, 100.0F};
  for (int s = 0; s < 3; ++s) {
    for (int p = 0; p < 3; ++p) Bar(styles[s], p * 54, s * 8, 52, 5, positions[p]);
  }
  As<LcdProgressBar>(Bar(LcdBarStyle::Cursor, 0, 26, 160, 7, 0.0F)).SetRange(10, 10);
  LcdItem* tall = Bar(LcdBarStyle::DottedCursor, 0, 35, 160, 8, 0.0F);
  As<LcdProgressBar>(tall).SetRange(-50, 50);
  facade.SetProgressPosition(tall, 10.0F);
  Run();
  EXPECT_TRUE(Shows("page-progress-bars"));
}

// After 8.1 s of cycles the long ticker, at ten times the facade's speed,
// has run past one whole piece; the short one stands centred.
TEST_F(LcdGoldenPageTest, StreamingTextAfterItHasRun) {
  constexpr LcdItemKind kTicker = LcdItemKind::StreamingText;
  const auto items = Texts({{F::Medium, A::Left, 0, 0, 160, u"TICKERS"},
                            {F::Medium, A::Center, 0, 14, 160,
                             u"LONG TEXT RUNS: ALT 1234 M, SPD 456 KM/H, HDG 270", 1, kTicker},
                            {F::Medium, A::Center, 40, 30, 80, u"FITS", 1, kTicker}});
  As<LcdStreamingText>(items[1]).SetSpeed(70);
  Run(81);
  EXPECT_TRUE(Shows("page-streaming-text"));
}

}  // namespace
}  // namespace korvan::testing
