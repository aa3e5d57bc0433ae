#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/fonts/Font.h"
#include "platform/images/BitmapImage.h"
#include "platform/images/IconImage.h"
#include "platform/pixels/Color.h"
#include "platform/raster/Geometry.h"
#include "platform/raster/PixelSurface.h"
#include "platform/raster/RasterObjects.h"

namespace korvan {

// Background modes, with the classic numbering items store.
inline constexpr int kTransparent = 1;
inline constexpr int kOpaque = 2;

// The one mapping mode: a logical unit is a device pixel, y grows downwards.
inline constexpr int kMapModeText = 1;

// DrawText format bits, numbered as the classic API numbers them.
namespace DrawTextFormat {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kBottom = 0x8;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kNoClip = 0x100;
inline constexpr unsigned kCalcRect = 0x400;
inline constexpr unsigned kNoPrefix = 0x800;
}  // namespace DrawTextFormat

// Raster-operation codes of block transfers, numbered as the classic API
// numbers them. Any ternary code works; these are the common ones.
namespace RasterOp {
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020;
inline constexpr std::uint32_t kSrcPaint = 0x00EE0086;
inline constexpr std::uint32_t kSrcAnd = 0x008800C6;
inline constexpr std::uint32_t kSrcInvert = 0x00660046;
inline constexpr std::uint32_t kNotSrcCopy = 0x00330008;
inline constexpr std::uint32_t kDstInvert = 0x00550009;
inline constexpr std::uint32_t kBlackness = 0x00000042;
inline constexpr std::uint32_t kWhiteness = 0x00FF0062;
}  // namespace RasterOp

// Margins in pixels, kept clear of text on the left and on the right.
struct DrawTextParams {
  int tabLength = 0;
  int leftMargin = 0;
  int rightMargin = 0;
  unsigned lengthDrawn = 0;
};

// Everything a drawing call reads besides its arguments, in one place so a
// guard can save and restore it whole.
struct RasterState {
  Point viewportOrigin;      // logical (0, 0) lands here on the device
  std::optional<Rect> clip;  // device coordinates; none means the surface
  Point currentPosition;     // logical, for LineTo
  Color textColor = kBlack;
  Color backgroundColor = kWhite;
  int backgroundMode = kOpaque;
  int mapMode = kMapModeText;
  const Font* font = &Font::StockGui();
  const Pen* pen = &GetStockPen(StockPen::Black);
  const Brush* brush = &GetStockBrush(StockBrush::White);
};

// Our own device context over an 8-bit pixel store: the drawing calls the
// item library needs, with the desktop API's semantics (half-open rectangles,
// line end points excluded, clip in device coordinates, viewport origin
// added to logical coordinates). Every primitive translates, intersects with
// the clip and returns early when nothing is left. Without a surface selected
// nothing is drawn.
class RasterContext {
 public:
  PixelSurface* SelectSurface(PixelSurface* surface);
  PixelSurface* Surface() const { return surface_; }

  const RasterState& State() const { return state_; }
  void RestoreState(const RasterState& state) { state_ = state; }

  // Setters and selectors return what was there before. Selecting null
  // changes nothing and returns null, so a restore of that null is harmless.
  Color SetTextColor(Color color);
  Color SetBackgroundColor(Color color);
  int SetBackgroundMode(int mode);
  int SetMapMode(int mode);
  const Font* SelectFont(const Font* font);
  const Pen* SelectPen(const Pen* pen);
  const Brush* SelectBrush(const Brush* brush);

  void SelectClipRect(const Rect& deviceRect);
  void RemoveClip() { state_.clip.reset(); }
  Point SetViewportOrigin(Point origin);
  Point OffsetViewportOrigin(int dx, int dy);

  void FillRect(const Rect& rect, const Brush& brush);
  void FrameRect(const Rect& rect, const Brush& brush);
  void InvertRect(const Rect& rect);
  void SetPixel(int x, int y, Color color);
  Point MoveTo(int x, int y);
  void LineTo(int x, int y);

  // Block transfer of the cx × cy window of `source` that starts at (sx, sy)
  // to logical (x, y), combined by the ternary code `rop` with the selected
  // brush and the canvas. Parts of the window outside the source leave the
  // canvas as it was; so does a non-positive extent.
  void BitBlt(int x, int y, int cx, int cy, const BitmapImage& source, int sx, int sy,
              std::uint32_t rop = RasterOp::kSrcCopy);
  // Draws `icon` stretched to cx × cy (0 takes the icon's own size) through
  // its mask: canvas = (canvas & mask) ^ color, nearest source pixel.
  void DrawIcon(int x, int y, const IconImage& icon, int cx, int cy);

  // Draws with the reference point at the top-left of the text's cell.
  void TextOut(int x, int y, std::u16string_view text);
  // Returns the height of the text; with kCalcRect sets `rect` to the
  // text's extent instead of drawing.
  int DrawText(std::u16string_view text, Rect& rect, unsigned format, DrawTextParams* params);
  Size GetTextExtent(std::u16string_view text) const;
  const FontMetrics& GetTextMetrics() const { return state_.font->Face().Metrics(); }

 private:
  // The clip cut to the surface, in device coordinates; empty without one.
  Rect DeviceClip() const;

  PixelSurface* surface_ = nullptr;
  RasterState state_;
};

// Saves the whole drawing state and puts it back when leaving the scope, so
// a drawing routine cannot forget one of the things it changed.
class RasterStateGuard {
 public:
  explicit RasterStateGuard(RasterContext& context) : context_(context), saved_(context.State()) {}
  ~RasterStateGuard() { context_.RestoreState(saved_); }
  RasterStateGuard(const RasterStateGuard&) = delete;
  RasterStateGuard& operator=(const RasterStateGuard&) = delete;

 private:
  RasterContext& context_;
  RasterState saved_;
};

}  // namespace korvan
