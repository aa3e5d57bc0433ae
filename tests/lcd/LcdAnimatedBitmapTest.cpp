#include "lcd/LcdAnimatedBitmap.h"

#include <gtest/gtest.h>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "tests/lcd/LcdTestImages.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

constexpr std::uint32_t kStart = 10000;

class LcdAnimatedBitmapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(page.Initialize(), kStatusOk);
    ASSERT_EQ(animation.Initialize(), kStatusOk);
    animation.SetBitmap(&strip);
    animation.SetFrameWidth(4);
    animation.SetSize(4, 2);
    page.AddItem(&animation);
  }

  // Advances the page to `at` ms after the start and draws; returns the
  // frame shown.
  int DrawAt(std::uint32_t at) {
    clock = FakeClock(kStart + at);
    page.Advance(kStart + at);
    EXPECT_EQ(page.Render(), kStatusOk);
    const std::string row = FrameRow(*page.GetFrame(), 0, 0, 4);
    const auto lit = row.find('#');
    return lit == std::string::npos ? -1 : static_cast<int>(lit);
  }

  FakeClock clock{kStart};
  LcdPage page{clock};
  LcdAnimatedBitmap animation{clock};
  // Four frames 4 pixels wide; frame k lights its own column k.
  BitmapImage strip = MakeBitmap(16, 2, [](int x, int) { return x % 4 == x / 4; });
};

TEST_F(LcdAnimatedBitmapTest, FrameCountIsTheWholeFramesOfTheStrip) {
  const BitmapImage wide = MakeBitmap(64, 5, [](int, int) { return false; });
  LcdAnimatedBitmap item{clock};
  item.SetBitmap(&wide);
  EXPECT_EQ(item.GetFrameCount(), 0U) << "counted when the width is set";
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {{16, 4}, {20, 3}, {0, 0}, {65, 0}};
  for (auto [width, count] : cases) {
    item.SetFrameWidth(width);
    EXPECT_EQ(item.GetFrameCount(), count) << width;
  }
  item.SetBitmap(nullptr);
  item.SetFrameWidth(16);
  EXPECT_EQ(item.GetFrameCount(), 0U);
}

TEST_F(LcdAnimatedBitmapTest, NewFrameShowsOneDrawAfterTheDrawThatFindsThePeriod) {
  EXPECT_EQ(DrawAt(100), 0);
  EXPECT_EQ(DrawAt(200), 0);
  EXPECT_EQ(DrawAt(300), 0) << "finds 300 ms, moves on for the next draw";
  EXPECT_EQ(animation.GetCurrentFrame(), 1U);
  EXPECT_EQ(DrawAt(400), 1);
  EXPECT_EQ(DrawAt(500), 1);
  EXPECT_EQ(DrawAt(600), 1) << "measured again from 300, time over a period not carried";
  EXPECT_EQ(DrawAt(700), 2);
  EXPECT_EQ(DrawAt(900), 2);
  EXPECT_EQ(DrawAt(1000), 3);
  EXPECT_EQ(DrawAt(1200), 3);
  EXPECT_EQ(DrawAt(1300), 0) << "wraps after the last frame";
}

TEST_F(LcdAnimatedBitmapTest, SeveralPeriodsAdvanceSeveralFramesAtOnce) {
  EXPECT_EQ(DrawAt(625), 0);  // 2.5 periods
  EXPECT_EQ(animation.GetCurrentFrame(), 2U);
  EXPECT_EQ(animation.GetElapsed(), 125U) << "only the half period stays";
  EXPECT_EQ(DrawAt(626), 2);

  // Hidden for 1.75 s: updated but not drawn; shown again it jumps by all
  // seven periods, modulo four frames, one draw after it shows.
  animation.SetVisible(false);
  for (std::uint32_t at = 700; at <= 2300; at += 100) EXPECT_EQ(DrawAt(at), -1);
  animation.SetVisible(true);
  EXPECT_EQ(DrawAt(2376), 2);
  EXPECT_EQ(animation.GetCurrentFrame(), (2U + 7U) % 4U);
  EXPECT_EQ(DrawAt(2400), 1);
}

TEST_F(LcdAnimatedBitmapTest, ResetShowsTheFirstFrameAgain) {
  DrawAt(300);
  DrawAt(600);
  EXPECT_EQ(DrawAt(650), 2);
  animation.ResetUpdate();
  EXPECT_EQ(DrawAt(700), 0) << "and the clock reference restarted at 650";
  EXPECT_EQ(DrawAt(900), 0);
  EXPECT_EQ(DrawAt(901), 1);
}

TEST_F(LcdAnimatedBitmapTest, PeriodOfZeroIsOneMillisecond) {
  animation.SetFramePeriod(0);
  EXPECT_EQ(DrawAt(3), 0);
  EXPECT_EQ(DrawAt(4), 3) << "three periods";
  EXPECT_EQ(DrawAt(5), 0);  // and moves on to 1
  animation.SetFramePeriod(500);
  EXPECT_EQ(DrawAt(504), 1);
  EXPECT_EQ(DrawAt(505), 1);
  EXPECT_EQ(DrawAt(506), 2);
}

TEST_F(LcdAnimatedBitmapTest, AShorterStripRestartsAnIndexPastItsEnd) {
  DrawAt(300);
  DrawAt(600);
  DrawAt(900);
  ASSERT_EQ(animation.GetCurrentFrame(), 3U);
  const BitmapImage two = MakeBitmap(8, 2, [](int x, int) { return x == 0; });
  animation.SetBitmap(&two);
  animation.SetFrameWidth(4);
  EXPECT_EQ(animation.GetFrameCount(), 2U);
  EXPECT_EQ(DrawAt(950), 0);

  // A box wider than a frame shows the columns of the following frames.
  animation.SetBitmap(&strip);
  animation.SetFrameWidth(4);
  animation.SetSize(8, 2);
  EXPECT_EQ(FrameRow((DrawAt(960), *page.GetFrame()), 0, 0, 8), "#....#..");
}

}  // namespace
}  // namespace korvan::testing
