#include <windows.h>

#include <limits>
#include <new>

#include "platform/raster/PixelSurface.h"
#include "platform/raster/RasterGdiWin32.h"

namespace korvan {

std::unique_ptr<PixelSurface> PixelSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const long stride = (static_cast<long>(width) + 3) & ~3L;
  if (stride > std::numeric_limits<int>::max() / height) return nullptr;
  Native native;
  native.dc = CreateCompatibleDC(nullptr);
  if (native.dc == nullptr) return nullptr;
  // A top-down 8-bit DIB with a grey ramp for its colour table, so black is
  // index 0, white index 255 and an inversion (bitwise not of the index)
  // stays exact. GDI matches a colour to the nearest entry; the raster
  // context only ever hands it pure black or white.
  const gdi::GreyInfo info = gdi::GreyHeader(width, height);
  void* bits = nullptr;
  native.bitmap =
      CreateDIBSection(static_cast<HDC>(native.dc), reinterpret_cast<const BITMAPINFO*>(&info),
                       DIB_RGB_COLORS, &bits, nullptr, 0);
  if (native.bitmap == nullptr || bits == nullptr) {
    if (native.bitmap != nullptr) DeleteObject(static_cast<HBITMAP>(native.bitmap));
    DeleteDC(static_cast<HDC>(native.dc));
    return nullptr;
  }
  native.previous = SelectObject(static_cast<HDC>(native.dc), native.bitmap);
  // The section starts zeroed (black), as the Linux store does.
  std::unique_ptr<PixelSurface> surface(new (std::nothrow) PixelSurface(
      width, height, static_cast<int>(stride), static_cast<std::uint8_t*>(bits), native));
  if (!surface) {
    SelectObject(static_cast<HDC>(native.dc), native.previous);
    DeleteObject(static_cast<HBITMAP>(native.bitmap));
    DeleteDC(static_cast<HDC>(native.dc));
  }
  return surface;
}

PixelSurface::~PixelSurface() {
  const HDC dc = static_cast<HDC>(native_.dc);
  SelectObject(dc, native_.previous);
  DeleteObject(static_cast<HBITMAP>(native_.bitmap));
  DeleteDC(dc);
}

}  // namespace korvan
