#pragma once

// What the Windows backend of the raster context shares: the surface's own
// GDI objects, applying the drawing state to its device context and the GDI
// objects that stand for our pens and brushes. Included only by the
// *Win32.cpp files here.
#include <windows.h>
// The A/W macros of these names would rename our own members.
#undef DrawText
#undef GetTextMetrics
#undef TextOut

#include <cstdint>
#include <vector>

#include "platform/raster/RasterContext.h"

namespace korvan {

// A surface on Windows: an 8-bit DIB section selected into a memory device
// context, all released with the surface.
struct PixelSurface::Backend {
  Backend() = default;
  ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;  // the DC's own bitmap, put back before deleting
  // Pictures repacked into GDI's padded rows before they are drawn here;
  // kept, so drawing the same pictures again allocates nothing.
  std::vector<std::uint8_t> scratch;
};

}  // namespace korvan

namespace korvan::gdi {

// GDI's coordinate space is narrower than int: whatever we hand it stays
// within this distance of the surface, which no visible result can need.
inline constexpr long long kFar = 1LL << 24;

inline int Near(long long value) {
  return static_cast<int>(value < -kFar ? -kFar : value > kFar ? kFar : value);
}

// The colour GDI is given for one of ours: the store is monochrome, so
// exactly black or white, never a grey it would match to a middle entry.
inline COLORREF Mono(Color color) {
  return PixelOf(color) == kWhitePixel ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

inline HBRUSH BrushFor(Color color) {
  return static_cast<HBRUSH>(
      GetStockObject(PixelOf(color) == kWhitePixel ? WHITE_BRUSH : BLACK_BRUSH));
}

// A stock pen, or the dotted one of that colour (made once, kept for the
// process like a stock object).
HPEN PenFor(const Pen& pen);

// The surface's device context with the state's clip (device coordinates),
// colours and background mode applied and a zero viewport origin: callers
// translate coordinates themselves, saturating, so extreme origins cannot
// overflow inside GDI. Null without a surface.
HDC Prepare(PixelSurface* surface, const RasterState& state, const Rect& deviceClip);

// An 8-bit top-down grey DIB header for a width × height block of bytes.
struct GreyInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};
GreyInfo GreyHeader(int width, int height);

// Copies the `area`-sized window at (sx, sy) of a plain width-byte-per-row
// plane into `out` with DIB row padding; returns the padded stride.
int PackRows(const std::uint8_t* plane, int planeWidth, int sx, int sy, int width, int height,
             std::vector<std::uint8_t>& out);

// The memory device context text is measured on when no surface is selected.
HDC MeasuringDc();

}  // namespace korvan::gdi
