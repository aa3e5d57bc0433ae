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

TEST_F(LcdProgressBarTest, FilledRunsFromTheLeftEdgeToThePosition) {
  bar.SetStyle(LcdProgressStyle::Filled);
  const std::pair<float, std::string> cases[] = {
      {0.0F, Lit(160, {kLeftSide, kRightSide})},
      {50.0F, Lit(160, {{0, 80}, kRightSide})},
      {100.0F, Lit(160, {{0, 160}})},
  };
  for (const auto& [position, middle] : cases) {
    bar.SetPos(position);
    const LcdFrame& frame = Render();
    EXPECT_EQ(FrameRow(frame, 10), Lit(160, {{0, 160}})) << "top of the frame";
    EXPECT_EQ(FrameRow(frame, 12), middle) << position;
    EXPECT_EQ(FrameRow(frame, 14), Lit(160, {{0, 160}})) << "bottom of the frame";
    EXPECT_EQ(FrameRow(frame, 15), Lit(160, {{0, 160}})) << "below the box";
  }
}

TEST_F(LcdProgressBarTest, CursorBlockStaysInsideTheFrameSides) {
  const std::pair<float, std::string> cases[] = {
      {0.0F, Lit(160, {{0, 6}, kRightSide})},
      {50.0F, Lit(160, {kLeftSide, {77, 82}, kRightSide})},  // 1 + 76.5, truncated
      {100.0F, Lit(160, {kLeftSide, {154, 160}})},
  };
  for (const auto& [position, middle] : cases) {
    bar.SetPos(position);
    const LcdFrame& frame = Render();
    EXPECT_EQ(FrameRow(frame, 11), middle) << position;
    EXPECT_EQ(FrameRow(frame, 12), middle) << "no dotted line in this style";
  }
}

TEST_F(LcdProgressBarTest, DottedCursorLeadsADottedLineOnTheMiddleRow) {
  bar.SetStyle(LcdProgressStyle::DottedCursor);
  // Three on, three off from x 0, stopping before the cursor.
  auto dots = [](int end) {
    std::string row(160, '.');
    for (int x = 0; x < end; ++x) row[static_cast<std::size_t>(x)] = x % 6 < 3 ? '#' : '.';
    return row;
  };
  const struct {
    float position;
    int left;
  } cases[] = {{0.0F, 1}, {50.0F, 77}, {100.0F, 154}};
  for (const auto& c : cases) {
    bar.SetPos(c.position);
    const LcdFrame& frame = Render();
    std::string middle = dots(c.left);
    for (int x = c.left; x < c.left + 5; ++x) middle[static_cast<std::size_t>(x)] = '#';
    middle[0] = middle[159] = '#';
    EXPECT_EQ(FrameRow(frame, 12), middle) << c.position;
    EXPECT_EQ(FrameRow(frame, 11), Lit(160, {kLeftSide, {c.left, c.left + 5}, kRightSide}));
  }
}

TEST_F(LcdProgressBarTest, PositionIsClampedToTheRangeWhenSet) {
  EXPECT_EQ(bar.SetPos(150.0F), 100.0F);
  EXPECT_EQ(bar.GetPos(), 100.0F);
  EXPECT_EQ(bar.SetPos(-5.0F), 0.0F);
  EXPECT_EQ(bar.SetPos(42.5F), 42.5F);
  bar.SetRange(10, 0);  // reversed: every value gives min
  EXPECT_EQ(bar.SetPos(5.0F), 10.0F);
  EXPECT_EQ(bar.GetRange().min, 10);
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
