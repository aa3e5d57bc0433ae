// The state setters of RasterContext, the same on every system: they only
// record; each primitive applies what it needs when it draws.
#include <utility>

#include "platform/raster/RasterContext.h"

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
  state_.viewportOrigin.x = AddSaturated(state_.viewportOrigin.x, dx);
  state_.viewportOrigin.y = AddSaturated(state_.viewportOrigin.y, dy);
  return previous;
}

Rect RasterContext::DeviceClip() const {
  if (surface_ == nullptr) return {};
  const Rect bounds = surface_->Bounds();
  return state_.clip ? Intersect(bounds, *state_.clip) : bounds;
}

}  // namespace korvan
