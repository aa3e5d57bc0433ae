#include "platform/raster/PixelSurface.h"

#include <limits>
#include <new>

namespace korvan {

// On Linux the store is our own memory, written by the raster context.
struct PixelSurface::Backend {
  std::unique_ptr<std::uint8_t[]> bits;
};

PixelSurface::PixelSurface(int width, int height, int stride, std::uint8_t* bits,
                           std::unique_ptr<Backend> backend)
    : width_(width), height_(height), stride_(stride), bits_(bits), backend_(std::move(backend)) {}

PixelSurface::~PixelSurface() = default;

std::unique_ptr<PixelSurface> PixelSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const long stride = (static_cast<long>(width) + 3) & ~3L;
  if (stride > std::numeric_limits<int>::max() / height) return nullptr;
  auto backend = std::unique_ptr<Backend>(new (std::nothrow) Backend);
  if (!backend) return nullptr;
  backend->bits.reset(new (std::nothrow) std::uint8_t[stride * height]());
  if (!backend->bits) return nullptr;
  std::uint8_t* bits = backend->bits.get();
  return std::unique_ptr<PixelSurface>(new (std::nothrow) PixelSurface(
      width, height, static_cast<int>(stride), bits, std::move(backend)));
}

}  // namespace korvan
