#pragma once

#include <cstdint>
#include <memory>

#include "platform/raster/Geometry.h"

namespace korvan {

// An 8-bit pixel store, one byte per pixel, top row first, rows padded to a
// multiple of 4 bytes as device-independent bitmaps are. Only the raster
// context writes it; readers take the bytes through Bits.
class PixelSurface {
 public:
  // Null when the size is not positive or memory is short.
  static std::unique_ptr<PixelSurface> Create(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  std::uint8_t* Bits() { return bits_.get(); }
  const std::uint8_t* Bits() const { return bits_.get(); }
  std::uint8_t* Row(int y) { return bits_.get() + static_cast<long>(y) * stride_; }

 private:
  PixelSurface(int width, int height, int stride, std::unique_ptr<std::uint8_t[]> bits)
      : width_(width), height_(height), stride_(stride), bits_(std::move(bits)) {}

  int width_;
  int height_;
  int stride_;
  std::unique_ptr<std::uint8_t[]> bits_;
};

}  // namespace korvan
