#include "lcd/LcdBitmapItem.h"

#include "lcd/LcdCanvas.h"

namespace korvan {

void LcdBitmapItem::Draw(LcdCanvas& canvas) {
  const Point& source = GetLogicalOrigin();
  CopyFrom(canvas, source.x, source.y);
}

void LcdBitmapItem::CopyFrom(LcdCanvas& canvas, int sx, int sy) {
  RasterContext* dc = canvas.GetDeviceContext();
  if (bitmap_ == nullptr || dc == nullptr) return;
  dc->BitBlt(0, 0, GetWidth(), GetHeight(), *bitmap_, sx, sy, rasterOp_);
}

}  // namespace korvan
