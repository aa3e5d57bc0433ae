#include <windows.h>

#include <limits>
#include <new>

#include "platform/raster/PixelSurface.h"
#include "platform/raster/RasterGdiWin32.h"

namespace korvan {

PixelSurface::Backend::~Backend() {
  if (dc == nullptr) return;
  if (previous != nullptr) SelectObject(dc, previous);
  if (bitmap != nullptr) DeleteObject(bitmap);
  DeleteDC(dc);
}

PixelSurface::PixelSurface(int width, int height, int stride, std::uint8_t* bits,
                           std::unique_ptr<Backend> backend)
    : width_(width), height_(height), stride_(stride), bits_(bits), backend_(std::move(backend)) {}

PixelSurface::~PixelSurface() = default;

std::unique_ptr<PixelSurface> PixelSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const long stride = (static_cast<long>(width) + 3) & ~3L;
  if (stride > std::numeric_limits<int>::max() / height) return nullptr;
  auto native = std::unique_ptr<Backend>(new (std::nothrow) Backend);
  if (!native) return nullptr;
  native->dc = CreateCompatibleDC(nullptr);
  if (native->dc == nullptr) return nullptr;
  // A top-down 8-bit DIB with a grey ramp for its colour table, so black is
  // index 0, white index 255 and an inversion (bitwise not of the index)
  // stays exact. GDI matches a colour to the nearest entry; the raster
  // context only ever hands it pure black or white.
  const gdi::GreyInfo info = gdi::GreyHeader(width, height);
  void* bits = nullptr;
  native->bitmap = CreateDIBSection(native->dc, reinterpret_cast<const BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
  if (native->bitmap == nullptr || bits == nullptr) return nullptr;
  native->previous = SelectObject(native->dc, native->bitmap);
  // The section starts zeroed (black), as the Linux store does.
  return std::unique_ptr<PixelSurface>(
      new (std::nothrow) PixelSurface(width, height, static_cast<int>(stride),
                                      static_cast<std::uint8_t*>(bits), std::move(native)));
}

}  // namespace korvan
