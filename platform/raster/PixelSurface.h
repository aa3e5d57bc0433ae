#pragma once

#include <cstdint>
#include <memory>

#include "platform/raster/Geometry.h"

namespace korvan {

// An 8-bit pixel store, one byte per pixel, top row first, rows padded to a
// multiple of 4 bytes as device-independent bitmaps are. Only the raster
// context writes it; readers take the bytes through Bits. Where the bytes
// live is the system's (`Backend`): our own memory on Linux, where the raster
// context writes them itself; on Windows an 8-bit DIB section selected into
// a memory device context, which the raster context draws on with GDI.
class PixelSurface {
 public:
  struct Backend;

  // Null when the size is not positive or memory (or GDI) is short.
  static std::unique_ptr<PixelSurface> Create(int width, int height);
  ~PixelSurface();
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  std::uint8_t* Bits() { return bits_; }
  const std::uint8_t* Bits() const { return bits_; }
  std::uint8_t* Row(int y) { return bits_ + static_cast<long>(y) * stride_; }
  Backend& Native() const { return *backend_; }

 private:
  PixelSurface(int width, int height, int stride, std::uint8_t* bits,
               std::unique_ptr<Backend> backend);

  int width_;
  int height_;
  int stride_;
  std::uint8_t* bits_;  // owned by the backend
  std::unique_ptr<Backend> backend_;
};

}  // namespace korvan
