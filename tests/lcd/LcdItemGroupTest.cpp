#include "lcd/LcdItemGroup.h"

#include <gtest/gtest.h>

#include <climits>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "tests/lcd/LcdTestItems.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

class LcdGroupTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(page.Initialize(), kStatusOk); }

  const LcdFrame& Render() {
    EXPECT_EQ(page.Render(), kStatusOk);
    return *page.GetFrame();
  }
  bool Lit(int x, int y) { return page.GetFrame()->pixels[y * kLcdWidth + x] > 128; }

  FakeClock clock{1000};
  LcdPage page{clock};
};

TEST_F(LcdGroupTest, LaterChildrenAreDrawnOverEarlierOnes) {
  BoxItem white(10, 10, 20, 10);
  BoxItem black(15, 12, 20, 10);
  black.color = kBlack;
  page.AddItem(&white);
  page.AddItem(&black);
  Render();
  EXPECT_TRUE(Lit(14, 12));
  EXPECT_FALSE(Lit(15, 12));
  EXPECT_EQ(LitTotal(*page.GetFrame()), 20 * 10 - 15 * 8);
}

TEST_F(LcdGroupTest, EachChildIsCutAtItsBoxAfterItsLogicalOriginShift) {
  BoxItem spilling(20, 10, 10, 5);
  spilling.paint = Rect{-50, -50, 50, 50};
  spilling.SetLogicalOrigin(3, -2);
  BoxItem shifted(60, 10, 20, 10);
  shifted.paint = Rect{0, 0, 20, 4};
  shifted.SetLogicalOrigin(0, -2);
  page.AddItem(&spilling);
  page.AddItem(&shifted);
  const LcdFrame& frame = Render();
  EXPECT_EQ(LitIn(frame, {20, 10, 30, 15}), 50);
  ASSERT_TRUE(spilling.clipSeen.has_value());
  EXPECT_EQ(*spilling.clipSeen, (Rect{20, 10, 30, 15}));
  EXPECT_EQ(LitIn(frame, {60, 10, 80, 12}), 40) << "rows 2 and 3 of the content land here";
  EXPECT_EQ(LitTotal(frame), 50 + 40) << "rows 0 and 1 are above the box and cut off";
}

TEST_F(LcdGroupTest, EmptyNegativeAndExtremeBoxesAreSafe) {
  BoxItem empty(10, 10, 0, 0);
  empty.paint = Rect{-5, -5, 5, 5};
  BoxItem negative(50, 20, -10, -5);
  negative.paint = Rect{-20, -20, 20, 20};
  page.AddItem(&empty);
  page.AddItem(&negative);
  EXPECT_EQ(LitTotal(Render()), 0);
  EXPECT_EQ(empty.draws, 1);

  BoxItem far(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
  BoxItem huge(-1000, -1000, INT_MAX, INT_MAX);
  huge.SetLogicalOrigin(INT_MAX, INT_MAX);
  huge.paint = Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  page.AddItem(&far);
  page.AddItem(&huge);
  EXPECT_EQ(LitTotal(Render()), kLcdPixelCount);
}

TEST_F(LcdGroupTest, HiddenChildrenStillReceiveTime) {
  BoxItem hidden(0, 0, 10, 10);
  hidden.SetVisible(false);
  page.AddItem(&hidden);
  page.Advance(1234);
  EXPECT_EQ(LitTotal(Render()), 0);
  EXPECT_EQ(hidden.draws, 0);
  EXPECT_EQ(hidden.updates, (std::vector<std::uint32_t>{1234}));
}

TEST_F(LcdGroupTest, VisibilityOfAGroupReachesEveryChildDownTheTree) {
  LcdItemGroup outer;
  LcdItemGroup inner;
  BoxItem a(0, 0, 1, 1);
  BoxItem b(5, 5, 1, 1);
  b.SetVisible(false);
  outer.AddItem(&a);
  outer.AddItem(&inner);
  inner.AddItem(&b);
  outer.SetVisible(false);
  EXPECT_FALSE(a.IsVisible());
  EXPECT_FALSE(inner.IsVisible());
  outer.SetVisible(true);
  EXPECT_TRUE(b.IsVisible()) << "showing a group shows children hidden one by one";
}

TEST_F(LcdGroupTest, NestedChildrenArePlacedAndClippedByTheirOwnBoxes) {
  LcdItemGroup inner;
  inner.SetOrigin(100, 30);
  inner.SetSize(5, 5);
  BoxItem child(10, 10, 4, 4);
  inner.AddItem(&child);
  page.AddItem(&inner);
  const LcdFrame& frame = Render();
  EXPECT_EQ(LitIn(frame, {10, 10, 14, 14}), 16) << "not relative to the inner group";
  EXPECT_EQ(LitTotal(frame), 16) << "and not cut by the inner group's box";
}

TEST_F(LcdGroupTest, DrawLeavesNoClipAndTheViewportAsItWas) {
  BoxItem child(10, 10, 4, 4);
  LcdItemGroup group;
  group.AddItem(&child);
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  canvas.BeginDraw();
  RasterContext& dc = *canvas.GetDeviceContext();
  dc.SelectClipRect({0, 0, 5, 5});
  dc.SetViewportOrigin({7, 8});
  group.Draw(canvas);
  EXPECT_FALSE(dc.State().clip.has_value());
  EXPECT_EQ(dc.State().viewportOrigin, (Point{7, 8}));
  canvas.EndDraw();
}

TEST_F(LcdGroupTest, ListKeepsDuplicatesAndRemovesTheFirstMatch) {
  BoxItem item(0, 0, 1, 1);
  BoxItem other(2, 0, 1, 1);
  EXPECT_EQ(page.AddItem(&item), 1);
  page.AddItem(&item);
  page.AddItem(&other);
  page.Advance(5);
  Render();
  EXPECT_EQ(item.updates.size(), 2u);
  EXPECT_EQ(item.draws, 2);
  EXPECT_EQ(page.RemoveItem(&item), 0);
  EXPECT_EQ(page.RemoveItem(&item), 0);
  EXPECT_EQ(page.RemoveItem(&item), 0) << "removing what is not there changes nothing";
  page.Advance(6);
  EXPECT_EQ(item.updates.size(), 2u);
  EXPECT_EQ(other.updates.size(), 2u);
}

TEST(LcdPage, RendersOnlyBetweenInitializeAndShutdownWholeScreenWhateverItsVisibility) {
  FakeClock clock(50);
  LcdPage page(clock);
  EXPECT_EQ(page.Render(), kStatusFail);
  EXPECT_EQ(page.GetFrame(), nullptr);
  page.OnButtonDown(1);
  page.OnButtonUp(8);
  page.SetOrigin(5, 5);
  page.SetSize(3, 3);
  ASSERT_EQ(page.Initialize(), kStatusOk);
  EXPECT_EQ(page.GetSize(), (Size{160, 43}));
  BoxItem item(0, 0, 2, 2);
  page.AddItem(&item);
  page.SetVisible(false);
  item.SetVisible(true);
  ASSERT_EQ(page.Render(), kStatusOk);
  EXPECT_EQ(LitTotal(*page.GetFrame()), 4) << "the page's own visibility is ignored";
  page.Shutdown();
  EXPECT_EQ(page.Render(), kStatusFail);
}

TEST(LcdPage, TimeoutExpiresAfterItsDurationAcrossTheTickWrap) {
  FakeClock clock(5000);
  LcdPage page(clock);
  EXPECT_TRUE(page.IsExpired()) << "no timeout yet";
  page.StartTimeout(1000);
  page.Advance(6000);
  EXPECT_FALSE(page.IsExpired());
  page.Advance(6001);
  EXPECT_TRUE(page.IsExpired());
  clock.Advance(10000);
  page.StartTimeout(0xFFFFFFFF);
  page.Advance(clock.TickCount() + 0xFFFFFFFE);
  EXPECT_FALSE(page.IsExpired()) << "the longest duration never runs out";

  clock = FakeClock(0xFFFFFF00);
  page.StartTimeout(1000);
  page.Advance(0x100);
  EXPECT_FALSE(page.IsExpired());
  page.Advance(0x2E9);
  EXPECT_TRUE(page.IsExpired());

  clock = FakeClock(0);
  page.StartTimeout(1000);
  page.Advance(10);
  EXPECT_TRUE(page.IsExpired()) << "started at tick zero counts as none";
}

}  // namespace
}  // namespace korvan::testing
