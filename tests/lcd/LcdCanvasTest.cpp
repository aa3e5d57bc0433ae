#include "lcd/LcdCanvas.h"

#include <gtest/gtest.h>

#include "lcd/LcdStatus.h"

namespace korvan::testing {
namespace {

TEST(LcdCanvas, FreshCanvasIsEmpty) {
  LcdCanvas canvas;
  EXPECT_EQ(canvas.GetDeviceContext(), nullptr);
  EXPECT_EQ(canvas.GetBitmap(), nullptr);
  EXPECT_EQ(canvas.GetBitmapInfo(), nullptr);
  EXPECT_EQ(canvas.GetFrame(), nullptr);
  canvas.EndDraw();
  canvas.BeginDraw();
  canvas.Clear();
  canvas.PutPixel(0, 0, true);
  canvas.DrawString(0, 0, u"x");
  EXPECT_EQ(canvas.GetFrame(), nullptr);
}

TEST(LcdCanvas, CreateDescribesAnEightBitTopDownSurface) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  const LcdBitmapInfo& info = *canvas.GetBitmapInfo();
  EXPECT_EQ(info.header.size, 40u);
  EXPECT_EQ(info.header.width, 160);
  EXPECT_EQ(info.header.height, -43);
  EXPECT_EQ(info.header.bitCount, 8);
  EXPECT_EQ(info.header.sizeImage, 6880u);
  EXPECT_EQ(info.header.xPelsPerMeter, 3200);
  EXPECT_EQ(info.header.colorsUsed, 256u);
  EXPECT_EQ(info.colors[128].red, 0);
  EXPECT_EQ(info.colors[129].red, 255);
  EXPECT_EQ(info.colors[255].reserved, 0);
  EXPECT_EQ(info.spare[3], 0);
}

TEST(LcdCanvas, FrameIsHeaderOneThenPixelsTopRowFirst) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
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

TEST(LcdCanvas, PassesDoNotNest) {
  LcdCanvas canvas;
  ASSERT_EQ(canvas.Create(160, 43), kStatusOk);
  RasterContext& dc = *canvas.GetDeviceContext();
  EXPECT_EQ(dc.Surface(), nullptr) << "Create does not select the surface";
  canvas.BeginDraw();
  canvas.BeginDraw();
  EXPECT_EQ(dc.Surface(), canvas.GetBitmap());
  EXPECT_EQ(dc.State().textColor, kWhite);
  EXPECT_EQ(dc.State().backgroundColor, kBlack);
  canvas.EndDraw();
  EXPECT_EQ(dc.Surface(), nullptr) << "one EndDraw closes both";
  canvas.EndDraw();
  EXPECT_EQ(dc.Surface(), nullptr);
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
  EXPECT_LE(frame.pixels[10 * 160 + 20], 128);
  EXPECT_LE(frame.pixels[19 * 160 + 29], 128);
  EXPECT_GT(frame.pixels[10 * 160 + 19], 128) << "left of the drawing origin";
  EXPECT_GT(frame.pixels[20 * 160 + 25], 128) << "below the clip";
  EXPECT_GT(frame.pixels[0], 128);
}

TEST(LcdCanvas, DestroyIsRepeatableAndCreateWorksAgain) {
  LcdCanvas canvas;
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
  const LcdFrame& frame = *canvas.GetFrame();
  EXPECT_GT(frame.pixels[3 * 160 + 2], 128);
  EXPECT_LE(frame.pixels[8 * 160 + 6], 128) << "FillBox is half-open";
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
  const LcdFrame& frame = *canvas.GetFrame();
  EXPECT_GT(frame.pixels[2 * 10 + 9], 128);
  EXPECT_GT(frame.pixels[1 * 10 + 0], 128);
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
  canvas.FillBox(0, 5, 3, 3);
  canvas.FillBox(18, 18, 30, 16);
  canvas.DrawString(20, 20, u"88");
  canvas.DrawString(20, 20, nullptr);
  EXPECT_EQ(dc.State().pen, before.pen);
  EXPECT_EQ(dc.State().brush, before.brush);
  EXPECT_EQ(dc.State().backgroundMode, kOpaque);
  canvas.EndDraw();
  const LcdFrame& frame = *canvas.GetFrame();
  EXPECT_GT(frame.pixels[9], 128);
  EXPECT_LE(frame.pixels[10], 128) << "the line's end point is not drawn";
  EXPECT_GT(frame.pixels[20 * 160 + 20], 128) << "DrawString keeps the background under its cell";
}

}  // namespace
}  // namespace korvan::testing
