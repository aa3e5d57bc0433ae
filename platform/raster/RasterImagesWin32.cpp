// The picture primitives of the raster context on Windows: the bitmap's
// bytes handed to GDI as an 8-bit grey DIB with the ternary code, and the
// icon's two planes applied as the icon draw applies them (AND mask, then
// XOR colour).
#include <cstddef>

#include "platform/raster/PicturePlacement.h"
#include "platform/raster/RasterGdiWin32.h"

namespace korvan {

void RasterContext::BitBlt(int x, int y, int cx, int cy, const BitmapImage& source, int sx, int sy,
                           std::uint32_t rop) {
  const Rect clip = DeviceClip();
  const auto [area, dx, dy] =
      PlaceBlockTransfer(source, x, y, cx, cy, sx, sy, state_.viewportOrigin, clip);
  const HDC dc = gdi::Prepare(surface_, state_, clip);
  if (dc == nullptr || area.IsEmpty()) return;
  // Only the part that shows is handed over, top row first, so GDI's
  // bottom-up source coordinates never come into it.
  const int width = area.Width(), height = area.Height();
  std::vector<std::uint8_t>& scratch = surface_->Native().scratch;
  gdi::PackRows(source.pixels.data(), source.width, area.left - dx, area.top - dy, width, height,
                scratch);
  const gdi::GreyInfo info = gdi::GreyHeader(width, height);
  const HGDIOBJ old = SelectObject(dc, gdi::BrushFor(state_.brush->color));
  StretchDIBits(dc, area.left, area.top, width, height, 0, 0, width, height, scratch.data(),
                reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, rop);
  SelectObject(dc, old);
  GdiFlush();
}

void RasterContext::DrawIcon(int x, int y, const IconImage& icon, int cx, int cy) {
  const Rect clip = DeviceClip();
  const auto [area, left, top] = PlaceIcon(icon, x, y, cx, cy, state_.viewportOrigin, clip);
  const HDC dc = gdi::Prepare(surface_, state_, clip);
  if (dc == nullptr || area.IsEmpty()) return;
  // The stretch is ours (nearest source pixel, the same on every system) and
  // only over what shows; GDI then applies the planes as the icon draw does.
  const int width = area.Width(), height = area.Height();
  const int stride = (width + 3) & ~3;
  const std::size_t planeBytes = static_cast<std::size_t>(stride) * height;
  std::vector<std::uint8_t>& scratch = surface_->Native().scratch;
  scratch.resize(planeBytes * 2);
  for (int row = 0; row < height; ++row) {
    const long long sy = (static_cast<long long>(area.top) + row - top) * icon.height / cy;
    std::uint8_t* mask = scratch.data() + static_cast<std::size_t>(row) * stride;
    std::uint8_t* color = mask + planeBytes;
    for (int column = 0; column < width; ++column) {
      const long long sx = (static_cast<long long>(area.left) + column - left) * icon.width / cx;
      const std::size_t at = icon.IndexOf(static_cast<int>(sx), static_cast<int>(sy));
      mask[column] = icon.mask[at];
      color[column] = icon.color[at];
    }
  }
  const gdi::GreyInfo info = gdi::GreyHeader(width, height);
  const auto* header = reinterpret_cast<const BITMAPINFO*>(&info);
  StretchDIBits(dc, area.left, area.top, width, height, 0, 0, width, height, scratch.data(), header,
                DIB_RGB_COLORS, SRCAND);
  StretchDIBits(dc, area.left, area.top, width, height, 0, 0, width, height,
                scratch.data() + planeBytes, header, DIB_RGB_COLORS, SRCINVERT);
  GdiFlush();
}

}  // namespace korvan
