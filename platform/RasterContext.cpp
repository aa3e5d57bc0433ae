#include "platform/RasterContext.h"

#include <cstdlib>
#include <utility>

namespace korvan {

PixelSurface* RasterContext::SelectSurface(PixelSurface* surface) {
  return std::exchange(surface_, surface);
}

Color RasterContext::SetTextColor(Color color) {
  return std::exchange(state_.textColor, color);
}

Color RasterContext::SetBackgroundColor(Color color) {
  return std::exchange(state_.backgroundColor, color);
}

int RasterContext::SetBackgroundMode(int mode) {
  if (mode != kTransparent && mode != kOpaque) return 0;
  return std::exchange(state_.backgroundMode, mode);
}

int RasterContext::SetMapMode(int mode) {
  if (mode != kMapModeText) return 0;
  return std::exchange(state_.mapMode, mode);
}

const Font* RasterContext::SelectFont(const Font* font) {
  return font == nullptr ? nullptr : std::exchange(state_.font, font);
}

const Pen* RasterContext::SelectPen(const Pen* pen) {
  return pen == nullptr ? nullptr : std::exchange(state_.pen, pen);
}

const Brush* RasterContext::SelectBrush(const Brush* brush) {
  return brush == nullptr ? nullptr : std::exchange(state_.brush, brush);
}

void RasterContext::SelectClipRect(const Rect& deviceRect) {
  state_.clip = deviceRect;
}

Point RasterContext::SetViewportOrigin(Point origin) {
  return std::exchange(state_.viewportOrigin, origin);
}

Point RasterContext::OffsetViewportOrigin(int dx, int dy) {
  const Point previous = state_.viewportOrigin;
  state_.viewportOrigin.x += dx;
  state_.viewportOrigin.y += dy;
  return previous;
}

Rect RasterContext::DeviceClip() const {
  if (surface_ == nullptr) return {};
  const Rect bounds = surface_->Bounds();
  return state_.clip ? Intersect(bounds, *state_.clip) : bounds;
}

void RasterContext::Fill(const Rect& deviceRect, std::uint8_t value) {
  const Rect area = Intersect(deviceRect, DeviceClip());
  if (area.IsEmpty()) return;
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint8_t* row = surface_->Row(y);
    for (int x = area.left; x < area.right; ++x) row[x] = value;
  }
}

// Filling and inverting take a rectangle given backwards as the same area,
// as the reference implementation does; framing one draws nothing.
void RasterContext::FillRect(const Rect& rect, const Brush& brush) {
  const Point origin = state_.viewportOrigin;
  Fill(rect.Normalized().Offset(origin.x, origin.y), PixelOf(brush.color));
}

void RasterContext::FrameRect(const Rect& rect, const Brush& brush) {
  if (rect.IsEmpty()) return;
  const Rect d = rect.Offset(state_.viewportOrigin.x, state_.viewportOrigin.y);
  const std::uint8_t value = PixelOf(brush.color);
  Fill({d.left, d.top, d.right, d.top + 1}, value);
  Fill({d.left, d.bottom - 1, d.right, d.bottom}, value);
  Fill({d.left, d.top, d.left + 1, d.bottom}, value);
  Fill({d.right - 1, d.top, d.right, d.bottom}, value);
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
  const int dx = x + state_.viewportOrigin.x;
  const int dy = y + state_.viewportOrigin.y;
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
  int px = from.x + state_.viewportOrigin.x;
  int py = from.y + state_.viewportOrigin.y;
  const int ex = x + state_.viewportOrigin.x;
  const int ey = y + state_.viewportOrigin.y;
  const int dx = std::abs(ex - px);
  const int dy = std::abs(ey - py);
  const int sx = ex > px ? 1 : -1;
  const int sy = ey > py ? 1 : -1;
  const int steps = dx > dy ? dx : dy;
  // Bresenham along the major axis; the end point itself is not drawn.
  int error = (dx > dy ? dx : dy) / 2;
  for (int i = 0; i < steps; ++i) {
    const bool on = pen.style == PenStyle::Solid || (i % 6) < 3;
    if (on && clip.Contains(px, py)) surface_->Row(py)[px] = value;
    if (dx > dy) {
      px += sx;
      error -= dy;
      if (error < 0) {
        py += sy;
        error += dx;
      }
    } else {
      py += sy;
      error -= dx;
      if (error < 0) {
        px += sx;
        error += dy;
      }
    }
  }
}

}  // namespace korvan
