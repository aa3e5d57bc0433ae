#include "lcd/LcdCanvas.h"

#include <cstring>
#include <new>
#include <string_view>

#include "lcd/LcdStatus.h"

namespace korvan {

LcdCanvas::~LcdCanvas() {
  Destroy();
}

std::int32_t LcdCanvas::Create(int width, int height) {
  width_ = width;
  height_ = height;
  dc_.reset(new (std::nothrow) RasterContext);
  if (!dc_) {
    Destroy();
    return kStatusFail;
  }
  bitmapInfo_.reset(new (std::nothrow) LcdBitmapInfo{});
  if (!bitmapInfo_) {
    Destroy();
    return kStatusOutOfMemory;
  }
  LcdBitmapInfoHeader& header = bitmapInfo_->header;
  header.size = sizeof(LcdBitmapInfoHeader);
  header.width = width;
  header.height = -height;
  header.planes = 1;
  header.bitCount = 8;
  header.compression = 0;
  header.sizeImage = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height);
  header.xPelsPerMeter = 3200;
  header.yPelsPerMeter = 3200;
  header.colorsUsed = 256;
  header.colorsImportant = 256;
  for (int i = 129; i < 256; ++i) bitmapInfo_->colors[i] = {255, 255, 255, 0};
  // The frame block has room for one LCD's pixels; a larger surface could
  // not be handed on without overrunning it, so it is refused here.
  if (width <= 0 || height <= 0 || width > kLcdPixelCount / height) {
    Destroy();
    return kStatusFail;
  }
  dib_ = PixelSurface::Create(width, height);
  if (!dib_) {
    Destroy();
    return kStatusFail;
  }
  frameBlock_.reset(new (std::nothrow) LcdFrame{});
  if (!frameBlock_) {
    Destroy();
    return kStatusOutOfMemory;
  }
  return kStatusOk;
}

void LcdCanvas::Destroy() {
  frameBlock_.reset();
  if (dc_ && drawing_) dc_->SelectSurface(savedObject_);
  dib_.reset();
  savedObject_ = nullptr;
  drawing_ = false;
  bitmapInfo_.reset();
  dc_.reset();
  width_ = 0;
  height_ = 0;
}

void LcdCanvas::BeginDraw() {
  if (drawing_ || !dc_) return;
  savedObject_ = dc_->SelectSurface(dib_.get());
  drawing_ = true;
  dc_->SetTextColor(kWhite);
  dc_->SetBackgroundColor(kBlack);
}

void LcdCanvas::Clear() {
  if (!dc_) return;
  dc_->FillRect({0, 0, width_, height_}, GetStockBrush(StockBrush::Black));
}

void LcdCanvas::EndDraw() {
  if (!drawing_) return;
  dc_->SelectSurface(savedObject_);
  savedObject_ = nullptr;
  drawing_ = false;
}

const LcdFrame* LcdCanvas::GetFrame() {
  if (!frameBlock_) return nullptr;
  frameBlock_->header = 1;
  // Row by row: the store pads its rows to 4 bytes, the frame does not.
  for (int y = 0; y < height_; ++y) {
    std::memcpy(frameBlock_->pixels.data() + static_cast<std::size_t>(y) * width_, dib_->Row(y),
                static_cast<std::size_t>(width_));
  }
  return frameBlock_.get();
}

void LcdCanvas::PutPixel(int x, int y, bool white) {
  if (dc_) dc_->SetPixel(x, y, white ? kWhite : kBlack);
}

void LcdCanvas::DrawLine(int x1, int y1, int x2, int y2) {
  if (!dc_) return;
  const Pen* previous = dc_->SelectPen(&GetStockPen(StockPen::White));
  dc_->MoveTo(x1, y1);
  dc_->LineTo(x2, y2);
  dc_->SelectPen(previous);
}

void LcdCanvas::FillBox(int x, int y, int cx, int cy) {
  if (!dc_) return;
  const Brush* previous = dc_->SelectBrush(&GetStockBrush(StockBrush::White));
  dc_->FillRect({x, y, x + cx, y + cy}, GetStockBrush(StockBrush::White));
  dc_->SelectBrush(previous);
}

void LcdCanvas::DrawString(int x, int y, const char16_t* text) {
  if (!dc_ || text == nullptr) return;
  const int mapMode = dc_->SetMapMode(kMapModeText);
  const int backgroundMode = dc_->SetBackgroundMode(kTransparent);
  dc_->TextOut(x, y, std::u16string_view(text));
  dc_->SetMapMode(mapMode);
  dc_->SetBackgroundMode(backgroundMode);
}

}  // namespace korvan
