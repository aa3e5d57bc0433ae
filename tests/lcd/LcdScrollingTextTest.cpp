#include "lcd/LcdScrollingText.h"

#include <gtest/gtest.h>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "tests/lcd/LcdTestItems.h"
#include "tests/platform/FontPins.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

using State = LcdScrollState;

class LcdScrollingTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }

  void SetUp() override {
    ASSERT_EQ(page.Initialize(), kStatusOk);
    ASSERT_EQ(text.Initialize(), kStatusOk);
    text.SetOrigin(10, 10);
    text.SetSize(40, 13);
    page.AddItem(&text);
  }

  // One display cycle `ms` after the previous one.
  const LcdFrame& Frame(std::uint32_t ms = 100) {
    clock.Advance(ms);
    page.Advance(clock.TickCount());
    EXPECT_EQ(page.Render(), kStatusOk);
    return *page.GetFrame();
  }
  int Shift() { return -text.GetLogicalOrigin().x; }

  FakeClock clock{7000};
  LcdPage page{clock};
  LcdScrollingText text{clock};
};

TEST_F(LcdScrollingTextTest, LongTextRestsSlidesToItsEndRestsAndStartsOver) {
  text.SetText(u"a text much wider than forty pixels");
  Frame();
  const int distance = text.GetScrollDistance();
  EXPECT_EQ(distance, text.GetLineExtent().cx - 40);
  EXPECT_EQ(text.GetLogicalSize(), (Size{text.GetLineExtent().cx, text.GetLineExtent().cy}));
  Frame(900);  // 1000 ms: not more than the start delay
  EXPECT_EQ(text.GetScrollState(), State::StartWait);
  Frame(1);
  EXPECT_EQ(text.GetScrollState(), State::Scrolling);
  EXPECT_EQ(Shift(), 0);
  Frame(125);  // 20 px/s: 2.5 pixels
  EXPECT_EQ(Shift(), 2);
  Frame(125);
  EXPECT_EQ(Shift(), 5) << "fractions carry";
  for (int i = 0; i < 1000 && text.GetScrollState() == State::Scrolling; ++i) Frame();
  EXPECT_EQ(text.GetScrollState(), State::EndWait);
  EXPECT_EQ(Shift(), distance) << "stops exactly at the end";
  Frame(1000);
  EXPECT_EQ(text.GetScrollState(), State::EndWait);
  Frame(1);
  EXPECT_EQ(text.GetScrollState(), State::StartWait) << "repeat: back to the start";
  EXPECT_EQ(Shift(), 0);
  EXPECT_EQ(text.GetScrollDistance(), -1);
  Frame();
  EXPECT_EQ(text.GetScrollDistance(), distance) << "measured again at the next draw";
}

TEST_F(LcdScrollingTextTest, WithoutRepeatItStaysAtTheEnd) {
  text.SetRepeat(false);
  text.SetSpeed(1000);
  text.SetText(u"a text much wider than forty pixels");
  Frame(1001);
  Frame(1000);
  ASSERT_EQ(text.GetScrollState(), State::EndWait);
  Frame(1001);
  EXPECT_TRUE(text.IsScrollDone());
  for (int i = 0; i < 20; ++i) Frame(1000);
  EXPECT_TRUE(text.IsScrollDone());
  EXPECT_EQ(Shift(), text.GetScrollDistance());
}

TEST_F(LcdScrollingTextTest, TextThatFitsStillPassesThroughEveryState) {
  text.SetText(u"ab");
  Frame(1001);
  EXPECT_EQ(text.GetScrollDistance(), 0);
  EXPECT_EQ(text.GetLogicalSize().cx, 40) << "the box is wider than the text";
  EXPECT_EQ(text.GetScrollState(), State::Scrolling);
  Frame();
  EXPECT_EQ(text.GetScrollState(), State::EndWait);
  Frame(1001);
  EXPECT_EQ(text.GetScrollState(), State::StartWait);
  EXPECT_EQ(Shift(), 0);
}

TEST_F(LcdScrollingTextTest, EmptyTextDrawsNothingAndStandsStill) {
  text.SetBackgroundMode(kOpaque);
  BoxItem white(0, 0, 160, 43);
  page.RemoveItem(&text);
  page.AddItem(&white);
  page.AddItem(&text);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(LitTotal(Frame(1000)), 160 * 43);
  EXPECT_EQ(text.GetScrollState(), State::StartWait);
  EXPECT_EQ(text.GetScrollDistance(), -1);
}

TEST_F(LcdScrollingTextTest, OnlyANewTextStartsOver) {
  text.SetSpeed(100);
  text.SetText(u"a text much wider than forty pixels");
  Frame(1001);
  Frame(100);
  ASSERT_EQ(Shift(), 10);
  page.Render();
  EXPECT_EQ(Shift(), 20) << "a second draw without an update counts the time again";
  text.SetText(u"a text much wider than forty pixels");
  Frame(100);
  EXPECT_EQ(Shift(), 30) << "the same text again: no restart";
  text.SetText(u"another text much wider than forty pixels");
  EXPECT_EQ(text.GetScrollState(), State::StartWait);
  EXPECT_EQ(Shift(), 0);
  EXPECT_EQ(text.GetScrollDistance(), -1);
  text.SetText(nullptr);
  EXPECT_EQ(std::u16string(text.GetText()), u"another text much wider than forty pixels");
}

TEST_F(LcdScrollingTextTest, SpeedZeroNeverReachesTheEndAndSizeChangesWaitForARestart) {
  text.SetSpeed(0);
  text.SetText(u"a text much wider than forty pixels");
  Frame(1001);
  const int distance = text.GetScrollDistance();
  text.SetSize(20, 13);
  for (int i = 0; i < 20; ++i) Frame(1000);
  EXPECT_EQ(text.GetScrollState(), State::Scrolling);
  EXPECT_EQ(Shift(), 0);
  EXPECT_EQ(text.GetScrollDistance(), distance);
  text.ResetUpdate();
  Frame();
  EXPECT_EQ(text.GetScrollDistance(), distance + 20);
}

TEST_F(LcdScrollingTextTest, VerticalWrapsAndSlidesUpByTheExtraHeight) {
  text.SetSpeed(1000);
  text.SetScrollDirection(LcdScrollDirection::Vertical);
  EXPECT_NE(text.GetFormat() & DrawTextFormat::kWordBreak, 0U);
  text.SetText(u"one two three four five six");
  Frame(1001);
  const Size wrapped = text.GetWrappedExtent();
  EXPECT_GT(wrapped.cy, 13 * 2);
  EXPECT_EQ(text.GetScrollDistance(), wrapped.cy - 13);
  EXPECT_EQ(text.GetLogicalSize(), wrapped);
  Frame(1000);
  EXPECT_EQ(text.GetLogicalOrigin(), (Point{0, -(wrapped.cy - 13)}));
  EXPECT_EQ(text.GetScrollState(), State::EndWait);
  text.SetScrollDirection(LcdScrollDirection::Horizontal);
  EXPECT_EQ(text.GetFormat() & DrawTextFormat::kWordBreak, 0U);
  EXPECT_EQ(text.GetLogicalOrigin(), (Point{0, 0}));
}

}  // namespace
}  // namespace korvan::testing
