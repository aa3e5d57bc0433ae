// The Linux primitives of RasterContext: our own writes into the 8-bit store.
#include "platform/raster/RasterContext.h"

#include <cstdlib>
#include <utility>

#include "platform/raster/RasterBytesPosix.h"

namespace korvan {

// Filling and inverting take a rectangle given backwards as the same area,
// as GDI does; framing one draws nothing (tools/raster-reference draws both
// with GDI under Wine for the rectangle frame the tests compare against).
void RasterContext::FillRect(const Rect& rect, const Brush& brush) {
  const Point origin = state_.viewportOrigin;
  bytes::Fill(surface_, Intersect(rect.Normalized().Offset(origin.x, origin.y), DeviceClip()),
              PixelOf(brush.color));
}

void RasterContext::FrameRect(const Rect& rect, const Brush& brush) {
  if (rect.IsEmpty()) return;
  const Rect d = rect.Offset(state_.viewportOrigin.x, state_.viewportOrigin.y);
  const Rect clip = DeviceClip();
  const std::uint8_t value = PixelOf(brush.color);
  const auto edge = [&](const Rect& e) { bytes::Fill(surface_, Intersect(e, clip), value); };
  edge({d.left, d.top, d.right, AddSaturated(d.top, 1)});
  edge({d.left, AddSaturated(d.bottom, -1), d.right, d.bottom});
  edge({d.left, d.top, AddSaturated(d.left, 1), d.bottom});
  edge({AddSaturated(d.right, -1), d.top, d.right, d.bottom});
}

void RasterContext::InvertRect(const Rect& rect) {
  const Rect area = Intersect(
      rect.Normalized().Offset(state_.viewportOrigin.x, state_.viewportOrigin.y), DeviceClip());
  if (area.IsEmpty()) return;
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint8_t* row = surface_->Row(y);
    for (int x = area.left; x < area.right; ++x) row[x] = static_cast<std::uint8_t>(~row[x]);
  }
}

void RasterContext::SetPixel(int x, int y, Color color) {
  const int dx = AddSaturated(x, state_.viewportOrigin.x);
  const int dy = AddSaturated(y, state_.viewportOrigin.y);
  if (!DeviceClip().Contains(dx, dy)) return;
  surface_->Row(dy)[dx] = PixelOf(color);
}

Point RasterContext::MoveTo(int x, int y) {
  return std::exchange(state_.currentPosition, Point{x, y});
}

void RasterContext::LineTo(int x, int y) {
  const Point from = std::exchange(state_.currentPosition, Point{x, y});
  const Pen& pen = *state_.pen;
  if (pen.style == PenStyle::Null) return;
  const Rect clip = DeviceClip();
  if (clip.IsEmpty()) return;
  const std::uint8_t value = PixelOf(pen.color);
  const Point origin = state_.viewportOrigin;
  const long long x0 = static_cast<long long>(from.x) + origin.x;
  const long long y0 = static_cast<long long>(from.y) + origin.y;
  const long long x1 = static_cast<long long>(x) + origin.x;
  const long long y1 = static_cast<long long>(y) + origin.y;
  // Bresenham along the major axis, the end point itself not drawn. Only the
  // steps whose major coordinate lies inside the clip are walked, starting
  // with the error term those skipped steps would have left.
  const bool xMajor = std::llabs(x1 - x0) > std::llabs(y1 - y0);
  const long long major0 = xMajor ? x0 : y0;
  const long long minor0 = xMajor ? y0 : x0;
  const long long majorDelta = std::llabs(xMajor ? x1 - x0 : y1 - y0);
  const long long minorDelta = std::llabs(xMajor ? y1 - y0 : x1 - x0);
  const int majorStep = (xMajor ? x1 > x0 : y1 > y0) ? 1 : -1;
  const int minorStep = (xMajor ? y1 > y0 : x1 > x0) ? 1 : -1;
  const long long low = xMajor ? clip.left : clip.top;
  const long long high = (xMajor ? clip.right : clip.bottom) - 1;
  long long first = 0;
  long long last = majorDelta;
  if (majorStep > 0) {
    first = std::max(first, low - major0);
    last = std::min(last, high - major0 + 1);
  } else {
    first = std::max(first, major0 - high);
    last = std::min(last, major0 - low + 1);
  }
  if (first >= last) return;
  __extension__ using Wide = __int128;
  const long long startError = majorDelta / 2;
  const Wide spent = static_cast<Wide>(first) * minorDelta - startError;
  const long long minorMoves =
      spent > 0 ? static_cast<long long>((spent + majorDelta - 1) / majorDelta) : 0;
  long long error =
      static_cast<long long>(static_cast<Wide>(startError) - static_cast<Wide>(first) * minorDelta +
                             static_cast<Wide>(minorMoves) * majorDelta);
  long long major = major0 + majorStep * first;
  long long minor = minor0 + minorStep * minorMoves;
  for (long long step = first; step < last; ++step) {
    const bool on = pen.style == PenStyle::Solid || (step % 6) < 3;
    const long long px = xMajor ? major : minor;
    const long long py = xMajor ? minor : major;
    if (on && py >= clip.top && py < clip.bottom && px >= clip.left && px < clip.right) {
      surface_->Row(static_cast<int>(py))[px] = value;
    }
    major += majorStep;
    error -= minorDelta;
    if (error < 0) {
      minor += minorStep;
      error += majorDelta;
    }
  }
}

}  // namespace korvan
