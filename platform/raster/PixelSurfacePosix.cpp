#include "platform/raster/PixelSurface.h"

#include <limits>
#include <new>

namespace korvan {

std::unique_ptr<PixelSurface> PixelSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const long stride = (static_cast<long>(width) + 3) & ~3L;
  if (stride > std::numeric_limits<int>::max() / height) return nullptr;
  const long bytes = stride * height;
  std::unique_ptr<std::uint8_t[]> bits(new (std::nothrow) std::uint8_t[bytes]());
  if (!bits) return nullptr;
  std::unique_ptr<PixelSurface> surface(new (std::nothrow) PixelSurface(
      width, height, static_cast<int>(stride), bits.get(), Native{}));
  if (surface) bits.release();
  return surface;
}

PixelSurface::~PixelSurface() {
  delete[] bits_;
}

}  // namespace korvan
