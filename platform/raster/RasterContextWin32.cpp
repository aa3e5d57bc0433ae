// The Windows primitives of RasterContext: the state applied to the
// surface's device context, then GDI draws.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/raster/RasterGdiWin32.h"

namespace korvan {
namespace gdi {

HPEN PenFor(const Pen& pen) {
  const bool white = PixelOf(pen.color) == kWhitePixel;
  if (pen.style == PenStyle::Null) return static_cast<HPEN>(GetStockObject(NULL_PEN));
  if (pen.style == PenStyle::Solid)
    return static_cast<HPEN>(GetStockObject(white ? WHITE_PEN : BLACK_PEN));
  static const HPEN dotWhite = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
  static const HPEN dotBlack = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
  return white ? dotWhite : dotBlack;
}

HDC Prepare(PixelSurface* surface, const RasterState& state, const Rect& deviceClip) {
  if (surface == nullptr) return nullptr;
  const HDC dc = surface->Native().dc;
  SetViewportOrgEx(dc, 0, 0, nullptr);
  // With a zero origin logical is device, so this is the device clip; no
  // region object is made for it.
  // A backwards clip shows nothing; GDI would turn it round.
  SelectClipRgn(dc, nullptr);
  if (deviceClip.IsEmpty()) {
    IntersectClipRect(dc, 0, 0, 0, 0);
  } else {
    IntersectClipRect(dc, deviceClip.left, deviceClip.top, deviceClip.right, deviceClip.bottom);
  }
  SetTextColor(dc, Mono(state.textColor));
  SetBkColor(dc, Mono(state.backgroundColor));
  SetBkMode(dc, state.backgroundMode == kOpaque ? OPAQUE : TRANSPARENT);
  SetROP2(dc, R2_COPYPEN);
  return dc;
}

GreyInfo GreyHeader(int width, int height) {
  GreyInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 256;
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<BYTE>(i);
    info.colors[i] = {v, v, v, 0};
  }
  return info;
}

int PackRows(const std::uint8_t* plane, int planeWidth, int sx, int sy, int width, int height,
             std::vector<std::uint8_t>& out) {
  const int stride = (width + 3) & ~3;
  out.resize(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* in = plane + static_cast<std::size_t>(sy + row) * planeWidth + sx;
    std::copy_n(in, width, out.data() + static_cast<std::size_t>(row) * stride);
  }
  return stride;
}

HDC MeasuringDc() {
  static const HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

}  // namespace gdi

// Filling and inverting take a rectangle given backwards as the same area,
// as GDI does; framing one draws nothing. Each is cut to the clip here, so
// GDI only ever sees coordinates on the surface.
void RasterContext::FillRect(const Rect& rect, const Brush& brush) {
  const Point origin = state_.viewportOrigin;
  const Rect area = Intersect(rect.Normalized().Offset(origin.x, origin.y), DeviceClip());
  const HDC dc = gdi::Prepare(surface_, state_, DeviceClip());
  if (dc == nullptr || area.IsEmpty()) return;
  const RECT r{area.left, area.top, area.right, area.bottom};
  ::FillRect(dc, &r, gdi::BrushFor(brush.color));
  GdiFlush();
}

void RasterContext::FrameRect(const Rect& rect, const Brush& brush) {
  if (rect.IsEmpty()) return;
  const Rect clip = DeviceClip();
  const Rect d = rect.Offset(state_.viewportOrigin.x, state_.viewportOrigin.y);
  const HDC dc = gdi::Prepare(surface_, state_, clip);
  if (dc == nullptr || Intersect(d, clip).IsEmpty()) return;
  // Edges beyond the clip stay beyond it, one pixel out.
  const RECT r{std::max(d.left, clip.left - 1), std::max(d.top, clip.top - 1),
               std::min(d.right, clip.right + 1), std::min(d.bottom, clip.bottom + 1)};
  ::FrameRect(dc, &r, gdi::BrushFor(brush.color));
  GdiFlush();
}

void RasterContext::InvertRect(const Rect& rect) {
  const Rect area = Intersect(
      rect.Normalized().Offset(state_.viewportOrigin.x, state_.viewportOrigin.y), DeviceClip());
  const HDC dc = gdi::Prepare(surface_, state_, DeviceClip());
  if (dc == nullptr || area.IsEmpty()) return;
  const RECT r{area.left, area.top, area.right, area.bottom};
  ::InvertRect(dc, &r);
  GdiFlush();
}

void RasterContext::SetPixel(int x, int y, Color color) {
  const int dx = AddSaturated(x, state_.viewportOrigin.x);
  const int dy = AddSaturated(y, state_.viewportOrigin.y);
  if (!DeviceClip().Contains(dx, dy)) return;
  const HDC dc = gdi::Prepare(surface_, state_, DeviceClip());
  ::SetPixelV(dc, dx, dy, gdi::Mono(color));
  GdiFlush();
}

Point RasterContext::MoveTo(int x, int y) {
  return std::exchange(state_.currentPosition, Point{x, y});
}

namespace {

// Cuts the segment to the square within kFar of the surface (Liang-Barsky),
// rounding the new ends. Only lines reaching that far are touched, and what
// they lose lies far outside the surface.
bool CutToNear(long long& x0, long long& y0, long long& x1, long long& y1) {
  const double dx = static_cast<double>(x1 - x0), dy = static_cast<double>(y1 - y0);
  double t0 = 0, t1 = 1;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {static_cast<double>(x0 + gdi::kFar), static_cast<double>(gdi::kFar - x0),
                      static_cast<double>(y0 + gdi::kFar), static_cast<double>(gdi::kFar - y0)};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const long long sx = x0, sy = y0;
  x0 = std::llround(static_cast<double>(sx) + t0 * dx);
  y0 = std::llround(static_cast<double>(sy) + t0 * dy);
  x1 = std::llround(static_cast<double>(sx) + t1 * dx);
  y1 = std::llround(static_cast<double>(sy) + t1 * dy);
  return true;
}

}  // namespace

void RasterContext::LineTo(int x, int y) {
  const Point from = std::exchange(state_.currentPosition, Point{x, y});
  const Rect clip = DeviceClip();
  const HDC dc = gdi::Prepare(surface_, state_, clip);
  if (dc == nullptr || clip.IsEmpty() || state_.pen->style == PenStyle::Null) return;
  const Point origin = state_.viewportOrigin;
  long long x0 = static_cast<long long>(from.x) + origin.x;
  long long y0 = static_cast<long long>(from.y) + origin.y;
  long long x1 = static_cast<long long>(x) + origin.x;
  long long y1 = static_cast<long long>(y) + origin.y;
  const auto distant = [](long long v) { return v < -gdi::kFar || v > gdi::kFar; };
  if ((distant(x0) || distant(y0) || distant(x1) || distant(y1)) && !CutToNear(x0, y0, x1, y1))
    return;
  // A dotted pen leaves its gaps as they were (see Pen); GDI would fill them
  // with the background colour in opaque mode.
  SetBkMode(dc, TRANSPARENT);
  const HGDIOBJ old = SelectObject(dc, gdi::PenFor(*state_.pen));
  MoveToEx(dc, static_cast<int>(x0), static_cast<int>(y0), nullptr);
  ::LineTo(dc, static_cast<int>(x1), static_cast<int>(y1));
  SelectObject(dc, old);
  GdiFlush();
}

}  // namespace korvan
