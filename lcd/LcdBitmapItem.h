#pragma once

#include <cstdint>

#include "lcd/LcdItem.h"
#include "platform/images/BitmapImage.h"
#include "platform/raster/RasterContext.h"

namespace korvan {

// Copies the item-sized window of a bitmap, from the logical origin on, onto
// the canvas with a raster operation. The bitmap is borrowed: its owner keeps
// it alive while the item can draw it, and the item never frees it.
class LcdBitmapItem : public LcdItem {
 public:
  ~LcdBitmapItem() override = default;

  void Draw(LcdCanvas& canvas) override;

  // Null is accepted and makes the item draw nothing.
  void SetBitmap(const BitmapImage* bitmap) { bitmap_ = bitmap; }
  const BitmapImage* GetBitmap() const { return bitmap_; }
  void SetRasterOp(std::uint32_t rop) { rasterOp_ = rop; }
  std::uint32_t GetRasterOp() const { return rasterOp_; }

 protected:
  // Copies the window of the item's size that starts at (sx, sy) in the
  // bitmap to the item's drawing origin.
  void CopyFrom(LcdCanvas& canvas, int sx, int sy);

 private:
  const BitmapImage* bitmap_ = nullptr;
  std::uint32_t rasterOp_ = RasterOp::kSrcCopy;
};

}  // namespace korvan
