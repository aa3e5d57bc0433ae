#pragma once

#include <cstdint>
#include <memory>

#include "lcd/LcdBitmapInfo.h"
#include "lcd/LcdFrame.h"
#include "platform/raster/PixelSurface.h"
#include "platform/raster/RasterContext.h"

namespace korvan {

// The off-screen surface a page renders into: an 8-bit pixel store of the
// LCD's size behind a raster context, and the frame block handed on. Items
// draw only through the context; only GetFrame reads the pixels.
class LcdCanvas {
 public:
  LcdCanvas() = default;
  virtual ~LcdCanvas();
  LcdCanvas(const LcdCanvas&) = delete;
  LcdCanvas& operator=(const LcdCanvas&) = delete;

  // Builds context, header, pixel store and frame block; on failure releases
  // what it made and returns kStatusFail or kStatusOutOfMemory.
  std::int32_t Create(int width, int height);
  void Destroy();

  void BeginDraw();
  void Clear();
  void EndDraw();

  RasterContext* GetDeviceContext() { return dc_.get(); }
  PixelSurface* GetBitmap() { return dib_.get(); }
  const LcdBitmapInfo* GetBitmapInfo() const { return bitmapInfo_.get(); }
  // Copies the pixels into the frame block and returns it; null when empty.
  // The block is overwritten by the next call.
  const LcdFrame* GetFrame();

  void PutPixel(int x, int y, bool white);
  void DrawLine(int x1, int y1, int x2, int y2);
  void FillBox(int x, int y, int cx, int cy);
  void DrawString(int x, int y, const char16_t* text);

 private:
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<LcdFrame> frameBlock_;
  std::unique_ptr<LcdBitmapInfo> bitmapInfo_;
  std::unique_ptr<RasterContext> dc_;
  std::unique_ptr<PixelSurface> dib_;
  // The surface selected before the open pass; a pass is open exactly while
  // drawing_ is set (the previous surface itself may well be null).
  PixelSurface* savedObject_ = nullptr;
  bool drawing_ = false;
};

}  // namespace korvan
