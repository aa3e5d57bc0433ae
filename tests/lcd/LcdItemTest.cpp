#include "lcd/LcdItem.h"

#include <gtest/gtest.h>

#include "tests/lcd/LcdTestItems.h"

namespace korvan::testing {
namespace {

class PlainItem : public LcdItem {
 public:
  void Draw(LcdCanvas&) override {}
};

// Replaces only the two-integer origin setter and the size getter, as
// derived classes may.
class OverridingItem : public PlainItem {
 public:
  using PlainItem::SetOrigin;
  void SetOrigin(int x, int y) override {
    ++originCalls;
    PlainItem::SetOrigin(x, y);
  }
  const Size& GetSize() override { return fixed; }
  void SetLogicalSize(const Size& size) override {
    ++logicalSizeCalls;
    PlainItem::SetLogicalSize(size);
  }

  int originCalls = 0;
  int logicalSizeCalls = 0;
  Size fixed{7, 9};
};

TEST(LcdItem, StartsEmptyVisibleTransparentAndOther) {
  PlainItem item;
  EXPECT_EQ(item.GetSize(), (Size{0, 0}));
  EXPECT_EQ(item.GetOrigin(), (Point{0, 0}));
  EXPECT_TRUE(item.IsVisible());
  EXPECT_FALSE(item.IsInverted());
  EXPECT_EQ(item.GetLogicalOrigin(), (Point{0, 0}));
  EXPECT_EQ(item.GetLogicalSize(), (Size{0, 0}));
  EXPECT_EQ(item.GetBackgroundMode(), 1);
  EXPECT_EQ(item.GetKind(), LcdItemKind::Other);
  EXPECT_EQ(static_cast<int>(LcdItemKind::Other), 4);
  EXPECT_EQ(item.Initialize(), 0);
}

TEST(LcdItem, LogicalSizeFollowsEverySetSize) {
  PlainItem item;
  item.SetSize(40, 10);
  EXPECT_EQ(item.GetLogicalSize(), (Size{40, 10}));
  item.SetLogicalSize(100, 10);
  EXPECT_EQ(item.GetSize(), (Size{40, 10}));
  EXPECT_EQ(item.GetLogicalSize(), (Size{100, 10}));
  item.SetSize(Size{5, 6});
  EXPECT_EQ(item.GetLogicalSize(), (Size{5, 6}));
  item.SetSize(-3, -4);
  EXPECT_EQ(item.GetSize(), (Size{-3, -4})) << "stored without any test";
}

TEST(LcdItem, SettersForwardThroughTheVirtualTable) {
  OverridingItem item;
  item.SetOrigin(Point{3, 4});
  item.SetOrigin(3, 4);
  EXPECT_EQ(item.originCalls, 2);
  EXPECT_EQ(item.GetOrigin(), (Point{3, 4}));
  item.SetSize(1, 2);
  EXPECT_EQ(item.logicalSizeCalls, 1) << "SetSize reaches a replaced SetLogicalSize";
  EXPECT_EQ(item.GetWidth(), 7) << "GetWidth follows a replaced GetSize";
  EXPECT_EQ(item.GetHeight(), 9);
}

}  // namespace
}  // namespace korvan::testing
