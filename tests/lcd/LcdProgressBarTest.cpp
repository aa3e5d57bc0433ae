#include "lcd/LcdProgressBar.h"

#include <gtest/gtest.h>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "tests/lcd/LcdTestImages.h"
#include "tests/lcd/LcdTestItems.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

// Frame columns 0 and 159 on a middle row: the frame's sides.
constexpr std::pair<int, int> kLeftSide{0, 1};
constexpr std::pair<int, int> kRightSide{159, 160};

class LcdProgressBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(page.Initialize(), kStatusOk);
    ASSERT_EQ(bar.Initialize(), kStatusOk);
    bar.SetOrigin(0, 10);
    bar.SetSize(160, 5);  // as the facade makes them
    page.AddItem(&white);
    page.AddItem(&bar);
  }

  const LcdFrame& Render() {
    EXPECT_EQ(page.Render(), kStatusOk);
    return *page.GetFrame();
  }

  FakeClock clock{1};
  LcdPage page{clock};
  BoxItem white{0, 8, 160, 9};  // lit behind the bar: the bar blanks its box
  LcdProgressBar bar;
};

// The drawing of each style is pinned by the page-progress-bars golden.
TEST_F(LcdProgressBarTest, PositionIsClampedToTheRangeWhenSet) {
  EXPECT_EQ(bar.SetPos(150.0F), 100.0F);
  EXPECT_EQ(bar.SetPos(-5.0F), 0.0F);
  bar.SetRange(10, 0);  // reversed: every value gives min
  EXPECT_EQ(bar.SetPos(5.0F), 10.0F);
  bar.GetRange().max = 20;  // the range itself, changeable through the reference
  EXPECT_EQ(bar.SetPos(15.0F), 15.0F);
  bar.SetRange(LcdRange{0, 100});
  EXPECT_EQ(bar.GetPos(), 15.0F) << "a new range does not clamp again";
}

TEST_F(LcdProgressBarTest, RangeChangedAfterThePositionAndEmptyRanges) {
  bar.SetPos(100.0F);
  bar.SetRange(0, 10);
  bar.SetStyle(LcdProgressStyle::Filled);
  EXPECT_EQ(FrameRow(Render(), 12), Lit(160, {{0, 160}})) << "ten times past the end";
  bar.SetStyle(LcdProgressStyle::Cursor);
  EXPECT_EQ(FrameRow(Render(), 12), Lit(160, {kLeftSide, kRightSide})) << "cursor clipped away";

  // Equal ends divide zero by zero: frame only, in every style.
  bar.SetRange(50, 50);
  for (float position : {50.0F, 0.0F}) {
    bar.SetPos(position);
    for (auto style : {LcdProgressStyle::Filled, LcdProgressStyle::Cursor,
                       LcdProgressStyle::DottedCursor, static_cast<LcdProgressStyle>(7)}) {
      bar.SetStyle(style);
      EXPECT_EQ(FrameRow(Render(), 12), Lit(160, {kLeftSide, kRightSide}));
    }
  }
  // A position far beyond a new range saturates instead of converting a
  // float that no int holds.
  bar.SetRange(0, 2000000000);
  bar.SetPos(2.0e9F);
  bar.SetRange(0, 1);
  bar.SetStyle(LcdProgressStyle::Filled);
  EXPECT_EQ(FrameRow(Render(), 12), Lit(160, {{0, 160}}));
  bar.SetStyle(LcdProgressStyle::DottedCursor);
  EXPECT_EQ(FrameRow(Render(), 11), Lit(160, {kLeftSide, kRightSide}));
}

TEST_F(LcdProgressBarTest, CursorSwitchAndUnknownStyles) {
  EXPECT_EQ(bar.GetStyle(), LcdProgressStyle::Cursor) << "the default";
  bar.SetStyle(LcdProgressStyle::DottedCursor);
  bar.EnableCursor(false);
  EXPECT_EQ(bar.GetStyle(), LcdProgressStyle::Filled);
  bar.EnableCursor(true);
  EXPECT_EQ(bar.GetStyle(), LcdProgressStyle::Cursor);
  bar.SetStyle(static_cast<LcdProgressStyle>(9));
  bar.SetPos(50.0F);
  const LcdFrame& frame = Render();
  EXPECT_EQ(FrameRow(frame, 12), Lit(160, {kLeftSide, kRightSide})) << "unknown: frame only";
  EXPECT_EQ(FrameRow(frame, 9), Lit(160, {{0, 160}})) << "outside the box stays as it was";
}

}  // namespace
}  // namespace korvan::testing
