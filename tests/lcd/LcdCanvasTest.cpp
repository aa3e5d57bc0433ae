#include "lcd/LcdCanvas.h"

#include <gtest/gtest.h>

#include "lcd/LcdStatus.h"

namespace korvan::testing {
namespace {

bool LitAt(const LcdFrame& frame, int x, int y, int width = 160) {
  return frame.pixels[y * width + x] > 128;
}

TEST(LcdCanvas, UncreatedOrDestroyedCanvasIgnoresDrawingAndCreatesAgain) {
  LcdCanvas canvas;
  canvas.EndDraw();
  canvas.BeginDraw();
  canvas.Clear();
  canvas.PutPixel(0, 0, true);
  canvas.DrawString(0, 0, u"x");
  EXPECT_EQ(canvas.GetDeviceContext(), nullptr);
  EXPECT_EQ(canvas.GetFrame(), nullptr);

  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  canvas.BeginDraw();
  canvas.Destroy();
  canvas.Destroy();
  EXPECT_EQ(canvas.GetFrame(), nullptr);
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  canvas.BeginDraw();
  canvas.Clear();
  canvas.FillBox(2, 3, 4, 5);
  canvas.EndDraw();
  EXPECT_TRUE(LitAt(*canvas.GetFrame(), 2, 3));
  EXPECT_FALSE(LitAt(*canvas.GetFrame(), 6, 8)) << "FillBox is half-open";
}

TEST(LcdCanvas, FrameIsHeaderOneThenPixelsTopRowFirst) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  EXPECT_EQ(canvas.GetBitmapInfo()->header.height, -43) << "top-down";
  canvas.BeginDraw();
  canvas.Clear();
  canvas.PutPixel(0, 0, true);
  canvas.PutPixel(159, 42, true);
  canvas.PutPixel(1, 0, false);
  canvas.EndDraw();
  const LcdFrame* frame = canvas.GetFrame();
  ASSERT_NE(frame, nullptr);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(frame);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
  EXPECT_GT(bytes[4], 128);
  EXPECT_GT(bytes[4 + 6879], 128);
  int lit = 0;
  for (std::uint8_t pixel : frame->pixels) lit += pixel > 128;
  EXPECT_EQ(lit, 2) << "everything else was cleared to black";
}

TEST(LcdCanvas, SizesTheFrameBlockCannotHoldAreRefused) {
  for (auto [width, height] : {std::pair{0, 43},
                               {160, 0},
                               {-160, 43},
                               {161, 43},
                               {160, 44},
                               {6881, 1},
                               {1 << 16, 1 << 16}}) {
    SCOPED_TRACE(::testing::Message() << width << " x " << height);
    LcdCanvas canvas;
    EXPECT_EQ(canvas.Create(width, height), kStatusFail);
    EXPECT_EQ(canvas.GetDeviceContext(), nullptr);
    EXPECT_EQ(canvas.GetFrame(), nullptr);
  }
}

TEST(LcdCanvas, NarrowSurfacesCopyRowsWithoutTheirPadding) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(10, 3), kStatusOk);
  canvas.BeginDraw();
  canvas.Clear();
  canvas.PutPixel(9, 2, true);
  canvas.PutPixel(0, 1, true);
  canvas.EndDraw();
  EXPECT_TRUE(LitAt(*canvas.GetFrame(), 9, 2, 10));
  EXPECT_TRUE(LitAt(*canvas.GetFrame(), 0, 1, 10));
}

TEST(LcdCanvas, PassesDoNotNest) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  RasterContext& dc = *canvas.GetDeviceContext();
  EXPECT_EQ(dc.Surface(), nullptr) << "Create does not select the surface";
  canvas.BeginDraw();
  canvas.BeginDraw();
  EXPECT_EQ(dc.Surface(), canvas.GetBitmap());
  canvas.EndDraw();
  EXPECT_EQ(dc.Surface(), nullptr) << "one EndDraw closes both";
}

TEST(LcdCanvas, ClearInsideAnItemPaintsOnlyItsClippedBox) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  canvas.BeginDraw();
  canvas.FillBox(0, 0, 160, 43);
  RasterContext& dc = *canvas.GetDeviceContext();
  dc.SelectClipRect({10, 10, 30, 20});
  dc.SetViewportOrigin({20, 5});
  canvas.Clear();
  dc.RemoveClip();
  canvas.EndDraw();
  const LcdFrame& frame = *canvas.GetFrame();
  EXPECT_FALSE(LitAt(frame, 20, 10));
  EXPECT_FALSE(LitAt(frame, 29, 19));
  EXPECT_TRUE(LitAt(frame, 19, 10)) << "left of the drawing origin";
  EXPECT_TRUE(LitAt(frame, 25, 20)) << "below the clip";
}

TEST(LcdCanvas, ConvenienceDrawingRestoresWhatItSelects) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  canvas.BeginDraw();
  canvas.Clear();
  RasterContext& dc = *canvas.GetDeviceContext();
  dc.SetBackgroundMode(kOpaque);
  const RasterState before = dc.State();
  canvas.DrawLine(0, 0, 10, 0);
  canvas.FillBox(18, 18, 30, 16);
  canvas.DrawString(20, 20, u"88");
  canvas.DrawString(20, 20, nullptr);
  EXPECT_EQ(dc.State().pen, before.pen);
  EXPECT_EQ(dc.State().brush, before.brush);
  EXPECT_EQ(dc.State().backgroundMode, kOpaque);
  canvas.EndDraw();
  const LcdFrame& frame = *canvas.GetFrame();
  EXPECT_TRUE(LitAt(frame, 9, 0));
  EXPECT_FALSE(LitAt(frame, 10, 0)) << "the line's end point is not drawn";
  EXPECT_TRUE(LitAt(frame, 20, 20)) << "DrawString keeps the background under its cell";
}

}  // namespace
}  // namespace korvan::testing
