// Moving items run by display cycles on a fake clock, each scenario a script;
// the heap the display cycle leaves alone; the page's timeout.
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "bench/AllocationCounter.h"
#include "lcd/LcdAnimatedBitmap.h"
#include "lcd/LcdCanvas.h"
#include "lcd/LcdPage.h"
#include "lcd/LcdScrollingText.h"
#include "lcd/LcdStreamingText.h"
#include "lcd/LcdTextItem.h"
#include "tests/lcd/LcdScene.h"

namespace korvan::testing {
namespace {

using LcdMotionTest = LcdScene;

TEST_F(LcdMotionTest, ScrollingTextRestsSlidesToItsEndAndRestsAgain) {
  using S = LcdScrollState;
  constexpr int kEnd = -1;  // the whole scroll distance: what the text reaches past its box
  constexpr const char16_t* kWide = u"a text much wider than forty pixels";
  using Step = std::tuple<std::uint32_t, S, int>;  // a cycle this many ms on; state, shift
  using Case = std::tuple<const char16_t*, std::uint32_t, bool, LcdScrollDirection,
                          std::vector<Step>>;  // text, speed, repeat, direction
  constexpr auto kH = LcdScrollDirection::Horizontal;
  // clang-format off
  const Case cases[] = {
    // Strict rests, fractions of pixels carried, an exact end.
    {kWide, 20, true, kH, {{100, S::StartWait, 0}, {900, S::StartWait, 0}, {1, S::Scrolling, 0},
      {125, S::Scrolling, 2}, {125, S::Scrolling, 5}, {60000, S::EndWait, kEnd},
      {1000, S::EndWait, kEnd}, {1, S::StartWait, 0}}},
    {kWide, 1000, false, kH, {{1001, S::Scrolling, 0}, {1000, S::EndWait, kEnd},
      {1001, S::Done, kEnd}, {20000, S::Done, kEnd}}},
    {u"ab", 20, true, kH, {{1001, S::Scrolling, 0}, {100, S::EndWait, 0}, {1001, S::StartWait, 0}}},
    {u"", 1000, true, kH, {{30000, S::StartWait, 0}}},
    // Wrapped, and slides up by the height past the box.
    {u"one two three four five six", 1000, true, LcdScrollDirection::Vertical,
     {{1001, S::Scrolling, 0}, {1000, S::EndWait, kEnd}}},
  };
  // clang-format on
  for (int i = 0; const auto& [chars, speed, repeat, direction, steps] : cases) {
    SCOPED_TRACE(i++);
    LcdScrollingText text{clock};
    text.Initialize();
    text.SetSize(40, 13);
    text.SetSpeed(speed);
    text.SetRepeat(repeat);
    text.SetScrollDirection(direction);
    text.SetText(chars);
    facade.Page().AddItem(&text);
    for (auto [ms, state, shift] : steps) {
      Run(1, ms);
      EXPECT_EQ(text.GetScrollState(), state);
      const Point logical = text.GetLogicalOrigin();
      const int end =
          direction == kH ? text.GetLineExtent().cx - 40 : text.GetWrappedExtent().cy - 13;
      EXPECT_EQ(-logical.x - logical.y, shift == kEnd ? end : shift);
    }
    facade.Page().RemoveItem(&text);
  }
}

TEST_F(LcdMotionTest, TickerRestsJumpsAndMovesItsLeadingPieceToTheEnd) {
#ifdef _WIN32  // GDI measures some glyphs of the substituted sans wider than it draws them
  GTEST_SKIP() << "the script counts the text's width, which GDI measures wider";
#endif
  using Step = std::tuple<std::uint32_t, bool, int>;  // a cycle this many ms on; moving, x
  // At 10 px/s in steps of 5, a 100 ms cycle earns a pixel. The cycle that lays the band out
  // neither waits nor moves; a jump takes every whole pixel earned once they make a step. The text
  // is 165 px wide, the gap 21: a leading piece wholly out goes to the end, one such move a jump.
  // clang-format off
  const std::vector<Step> scripts[] = {
      {{100, false, 0}, {1900, false, 0}, {1, true, 0}, {400, true, 0}, {100, true, -5},
       {750, true, -12}, {450, true, -17}},
      {{5000, false, 0}, {100, true, 0}},
      {{100, false, 0}, {2001, true, 0}, {16000, true, -160}, {500, true, 0},
       {18600, true, -165}}};
  // clang-format on
  for (const auto& script : scripts) {
    LcdItem* ticker = Text({F::Medium, A::Left, 10, 20, 60, u"ALTITUDE 12345 FT HEADING 270", 1,
                            LcdItemKind::StreamingText});
    auto& band = As<LcdStreamingText>(ticker);
    band.SetSpeed(10);
    band.SetStepSize(5);
    for (auto [ms, moving, x] : script) {
      band.SetOrigin(10, 20);  // put where it stands: it runs on
      Run(1, ms);
      EXPECT_EQ(band.IsMoving(), moving) << ms;
      EXPECT_EQ(band.GetPiece(0)->GetLogicalOrigin().x, x) << ms;
    }
  }
}

// A ticker whose text fits stands as a plain text item of its box would (20 rows lower).
TEST_F(LcdMotionTest, ATickerThatFitsStandsAsPlainTextWould) {
  Texts({{F::Medium, A::Center, 100, 0, 60, u"8", 1, LcdItemKind::StreamingText},
         {F::Medium, A::Center, 100, 20, 60, u"8", 1}});
  Run(3);
  const std::uint8_t* frame = ScriptedService::lastFrame.data() + LCD_FRAME_HEADER_BYTES;
  EXPECT_TRUE(std::equal(frame, frame + 13 * kLcdWidth, frame + 20 * kLcdWidth));
}

TEST_F(LcdMotionTest, AnimationMovesOnOneDrawAfterTheDrawThatFindsAPeriod) {
  // Four frames 4 pixels wide; frame k lights its own column k.
  const BitmapImage strip = MakeBitmap(16, 2, [](int x, int) { return x % 4 == x / 4; });
  LcdAnimatedBitmap animation{clock};
  animation.Initialize();
  animation.SetBitmap(&strip);
  animation.SetFrameWidth(4);
  animation.SetSize(4, 2);
  facade.Page().AddItem(&animation);
  // Each part starts again from the first frame, at `start`.
  std::uint32_t start = 0;
  const auto restart = [&] {
    animation.ResetUpdate();
    start = clock.TickCount();
  };
  // The frame shown `at` ms after `start`: the lit one of the LCD's first four pixels, -1 for none.
  const auto expectShown = [&](std::initializer_list<std::pair<std::uint32_t, int>> steps) {
    for (auto [at, shown] : steps) {
      Run(1, start + at - clock.TickCount());
      const auto* pixels = ScriptedService::lastFrame.data() + LCD_FRAME_HEADER_BYTES;
      const auto lit = std::string(pixels, pixels + 4).find('\xff');
      EXPECT_EQ(lit == std::string::npos ? -1 : static_cast<int>(lit), shown) << "at " << at;
    }
  };
  // Time past a period is not carried into the next one.
  restart();
  expectShown({{100, 0}, {200, 0}, {300, 0}, {400, 1}, {500, 1}, {600, 1}});
  expectShown({{700, 2}, {900, 2}, {1000, 3}, {1200, 3}, {1300, 0}});
  restart();
  expectShown({{625, 0}});  // 2.5 periods: two frames on, half a period kept
  EXPECT_EQ(animation.GetElapsed(), 125U);
  expectShown({{626, 2}});
  // Hidden for 1.75 s it still keeps time: shown, it jumps all seven periods.
  animation.SetVisible(false);
  expectShown({{1000, -1}, {2300, -1}});
  animation.SetVisible(true);
  expectShown({{2376, 2}, {2400, 1}});

  restart();
  animation.SetFramePeriod(0);  // taken as 1 ms
  expectShown({{3, 0}, {4, 3}, {5, 0}});
  animation.SetFramePeriod(500);
  expectShown({{504, 1}, {505, 1}, {506, 2}});

  // A shorter strip does not leave the index past its end; no frames, no draw.
  restart();
  animation.SetFramePeriod(250);
  expectShown({{300, 0}, {600, 1}, {900, 2}});
  const BitmapImage two = MakeBitmap(8, 2, [](int x, int) { return x == 0; });
  animation.SetBitmap(&two);
  animation.SetFrameWidth(4);
  expectShown({{950, 0}});
  animation.SetFrameWidth(0);
  expectShown({{1000, -1}});
}

// The screens send every text again each cycle, and the ticker's too, while
// its band goes round; an icon is drawn and a bar's value moves.
TEST_F(LcdMotionTest, DisplayCyclesCostNothingWhileTheTextsStayTheSame) {
  std::vector<LcdItem*> texts;
  for (int i = 0; i < 12; ++i)
    texts.push_back(Text({F(i % 3), A::Right, i % 4 * 40, i / 4 * 8, 40, u" ", 1 + i % 2}));
  LcdItem* band = Text({F::Medium, A::Center, 0, 30, 160, u" ", 1, LcdItemKind::StreamingText});
  As<LcdStreamingText>(band).SetSpeed(200);
  const IconImage icon = MakeIcon(15, 30, [](int x, int y) { return (x + y) % 3 == 0; });
  facade.AddIcon(&icon, 15, 30);
  LcdItem* bar = facade.AddProgressBar(LcdBarStyle::DottedCursor);
  ScriptedService::calls.reserve(64 * 1024);  // the script records each call
  ScriptedService::lastFrame.reserve(LCD_FRAME_BYTES);

  const char16_t* values[] = {u"123.4", u"ALT", u"km/h", u"\u00b0C 15"};
  auto cycle = [&] {
    for (std::size_t i = 0; i < texts.size(); ++i) facade.SetText(texts[i], values[i % 4]);
    facade.SetText(band, u"a streaming text that runs round and round the band");
    facade.SetProgressPosition(bar, static_cast<float>(clock.TickCount() % 101));
    Run();
  };
  for (int i = 0; i < 100; ++i) cycle();  // rebuilds, measures, rasterises once
  const LcdTextItem* front = As<LcdStreamingText>(band).GetPiece(0);
  bool rotated = false;
  const std::uint64_t before = bench::AllocationCount();
  for (int i = 0; i < 300; ++i) {
    cycle();
    rotated = rotated || As<LcdStreamingText>(band).GetPiece(0) != front;
  }
  EXPECT_EQ(bench::AllocationCount() - before, 0U);
  EXPECT_TRUE(rotated) << "the band went round meanwhile";
}

std::int32_t DrawOnANewCanvas() {
  LcdCanvas canvas;
  const std::int32_t status = canvas.Create(160, 43);
  canvas.BeginDraw();
  canvas.Clear();
  canvas.EndDraw();
  return status;
}

// Of a canvas and a text item; a half-made canvas draws nothing.
TEST(LcdAllocation, EachRefusedAllocationGivesAFailureStatus) {
  const std::function<std::int32_t()> makers[] = {DrawOnANewCanvas,
                                                  [] { return LcdTextItem().Initialize(); }};
  for (const auto& make : makers) {
    for (std::uint64_t nth = 1;; ++nth) {
      bench::RefuseNothrowAllocation(nth);
      const std::int32_t status = make();
      if (!bench::RefuseNothrowAllocation(0)) {
        EXPECT_EQ(status, kStatusOk);
        break;
      }
      EXPECT_LT(status, 0) << "allocation " << nth;
    }
  }
}

TEST(LcdPage, RendersOnlyBetweenInitializeAndShutdownAndExpiresAfterItsTimeout) {
  FakeClock clock(0xFFFFFF00);  // just before the tick count wraps
  LcdPage page(clock);
  EXPECT_EQ(page.Render(), kStatusFail);
  ASSERT_EQ(page.Initialize(), kStatusOk);
  EXPECT_EQ(page.Render(), kStatusOk);
  page.Shutdown();
  EXPECT_EQ(page.Render(), kStatusFail);

  EXPECT_TRUE(page.IsExpired()) << "no timeout yet";
  for (auto [duration, elapsed, expired] :
       {std::tuple{1000U, 1001U, true}, {1000U, 1000U, false}, {0xFFFFFFFFU, 0xFFFFFFFEU, false}}) {
    page.StartTimeout(duration);
    EXPECT_FALSE(page.IsExpired()) << "a timeout starts afresh";
    page.Advance(clock.TickCount() + elapsed);
    EXPECT_EQ(page.IsExpired(), expired) << duration << " " << elapsed;
  }
  clock = FakeClock(0);
  page.StartTimeout(1000);
  page.Advance(10);
  EXPECT_TRUE(page.IsExpired()) << "started at tick zero counts as never started";
}

}  // namespace
}  // namespace korvan::testing
