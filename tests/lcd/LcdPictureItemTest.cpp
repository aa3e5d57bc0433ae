#include <gtest/gtest.h>

#include <memory>

#include "lcd/LcdBitmapItem.h"
#include "lcd/LcdIconItem.h"
#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "tests/lcd/LcdTestImages.h"
#include "tests/lcd/LcdTestItems.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

class LcdPictureItemTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(page.Initialize(), kStatusOk); }

  const LcdFrame& Render() {
    EXPECT_EQ(page.Render(), kStatusOk);
    return *page.GetFrame();
  }

  FakeClock clock{1};
  LcdPage page{clock};
  // Column x lit where x is even, 30 columns, 4 rows.
  BitmapImage stripes = MakeBitmap(30, 4, [](int x, int) { return x % 2 == 0; });
  // A hollow 6 × 4 square: transparent inside.
  IconImage square =
      MakeIcon(6, 4, [](int x, int y) { return x == 0 || x == 5 || y == 0 || y == 3; });
};

TEST_F(LcdPictureItemTest, ItemsWithoutAPictureDrawNothingAndKeepTheModes) {
  LcdBitmapItem bitmap;
  bitmap.SetSize(20, 4);
  LcdIconItem icon;
  icon.SetSize(20, 4);
  icon.SetOrigin(0, 10);
  LcdBitmapItem unsized;  // as the facade makes them: 0 × 0
  unsized.SetBitmap(&stripes);
  page.AddItem(&bitmap);
  page.AddItem(&icon);
  page.AddItem(&unsized);
  EXPECT_EQ(LitTotal(Render()), 0);

  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(kLcdWidth, kLcdHeight), kStatusOk);
  canvas.BeginDraw();
  RasterContext& dc = *canvas.GetDeviceContext();
  for (int mode : {kOpaque, kTransparent}) {
    dc.SetBackgroundMode(mode);
    icon.Draw(canvas);
    EXPECT_EQ(dc.State().backgroundMode, mode);
    icon.SetIcon(&square, 6, 4);
    icon.Draw(canvas);
    EXPECT_EQ(dc.State().backgroundMode, mode);
    icon.SetIcon(nullptr, 6, 4);
  }
  canvas.EndDraw();
}

TEST_F(LcdPictureItemTest, BitmapCopiesTheBoxSizedWindowFromTheLogicalOrigin) {
  LcdBitmapItem plain;
  plain.SetOrigin(3, 0);
  plain.SetSize(6, 2);
  plain.SetBitmap(&stripes);
  LcdBitmapItem shifted;
  shifted.SetOrigin(20, 5);
  shifted.SetSize(30, 4);
  shifted.SetLogicalOrigin(10, 0);
  shifted.SetBitmap(&stripes);
  page.AddItem(&plain);
  page.AddItem(&shifted);
  const LcdFrame& frame = Render();
  EXPECT_EQ(FrameRow(frame, 0, 0, 12), "...#.#.#....");
  EXPECT_EQ(FrameRow(frame, 2, 0, 12), "............") << "two rows of the box";
  // Source columns 10 to 29 land from x 30 on; the box's first ten columns
  // get nothing, and the box ends at x 50.
  std::string shown(34, '.');
  for (int x = 12; x < 32; x += 2) shown[static_cast<std::size_t>(x)] = '#';
  EXPECT_EQ(FrameRow(frame, 5, 18, 52), shown);
  EXPECT_EQ(LitIn(frame, {20, 5, 30, 9}), 0);
}

TEST_F(LcdPictureItemTest, IconIsClippedByItsBoxAndSeeThroughWhereTransparent) {
  BoxItem under(0, 0, 40, 4);  // a white band the icons lie over
  LcdIconItem small;
  small.SetOrigin(0, 0);
  small.SetSize(3, 2);  // shows the icon's top-left 3 × 2 only
  small.SetIcon(&square, 6, 4);
  LcdIconItem large;
  large.SetOrigin(10, 0);
  large.SetSize(20, 10);
  large.SetIcon(&square, 12, 8);  // stretched to twice its size
  page.AddItem(&under);
  page.AddItem(&small);
  page.AddItem(&large);
  const LcdFrame& frame = Render();
  // The hollow inside lets the white band show; nothing dark is drawn.
  for (int y = 0; y < 4; ++y) EXPECT_EQ(FrameRow(frame, y, 0, 40), Lit(40, {{0, 40}})) << y;
  EXPECT_EQ(FrameRow(frame, 4, 8, 32), Lit(24, {{2, 4}, {12, 14}}));
  EXPECT_EQ(FrameRow(frame, 6, 8, 32), Lit(24, {{2, 14}}));
  EXPECT_EQ(FrameRow(frame, 8, 8, 32), "........................") << "box wider than icon";
}

}  // namespace
}  // namespace korvan::testing
