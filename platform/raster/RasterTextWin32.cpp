// The text calls of RasterContext on Windows: TextOutW, DrawTextExW and
// measuring, with the face's HFONT selected.
#include <algorithm>

#include "platform/fonts/FontFaceWin32.h"
#include "platform/raster/RasterGdiWin32.h"

namespace korvan {
namespace {

using namespace DrawTextFormat;

constexpr unsigned kKnownFormats = kCenter | kRight | kVCenter | kBottom | kWordBreak |
                                   kSingleLine | kNoClip | kCalcRect | kNoPrefix;

const wchar_t* Wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

int Length(std::u16string_view text) {
  return static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF));
}

// Selects the font and moves a substitute face's text down by the rows it
// lacks above its digits: the glyphs, the opaque cell and a DrawText
// rectangle move (logical coordinates), the clip (device ones) does not.
HGDIOBJ PrepareText(HDC dc, const Font& font) {
  SetViewportOrgEx(dc, 0, font.TextShiftY(), nullptr);
  return SelectObject(dc, font.Face().Native().font);
}

}  // namespace

Size RasterContext::GetTextExtent(std::u16string_view text) const {
  const FontFace& face = state_.font->Face();
  const HDC dc = surface_ != nullptr ? surface_->Native().dc : gdi::MeasuringDc();
  const HGDIOBJ old = SelectObject(dc, face.Native().font);
  SIZE size{};
  GetTextExtentPoint32W(dc, Wide(text), Length(text), &size);
  SelectObject(dc, old);
  return {static_cast<int>(size.cx), face.Metrics().height};
}

void RasterContext::TextOut(int x, int y, std::u16string_view text) {
  const Rect clip = DeviceClip();
  const HDC dc = gdi::Prepare(surface_, state_, clip);
  if (dc == nullptr || clip.IsEmpty() || text.empty()) return;
  const FontFace& face = state_.font->Face();
  const long long left = static_cast<long long>(x) + state_.viewportOrigin.x;
  const long long top = static_cast<long long>(y) + state_.viewportOrigin.y;
  // Text starting beyond the clip, or so far before it that no text could
  // reach it, shows nothing.
  const long long drawnTop = top + state_.font->TextShiftY();
  if (left >= clip.right || left < -gdi::kFar || drawnTop >= clip.bottom ||
      drawnTop + face.Metrics().height <= clip.top)
    return;
  const HGDIOBJ old = PrepareText(dc, *state_.font);
  TextOutW(dc, static_cast<int>(left), static_cast<int>(top), Wide(text), Length(text));
  SelectObject(dc, old);
  GdiFlush();
}

int RasterContext::DrawText(std::u16string_view text, Rect& rect, unsigned format,
                            DrawTextParams* params) {
  const FontFace& face = state_.font->Face();
  const int lineHeight = face.Metrics().height;
  const bool calculate = (format & kCalcRect) != 0;
  if (params != nullptr) params->lengthDrawn = 0;
  if (text.empty()) {  // one empty line, as on Linux (GDI's rectangle would be 0 high)
    if (calculate) {
      rect.right = rect.left;
      rect.bottom = AddSaturated(rect.top, lineHeight);
    }
    return lineHeight;
  }
  // Laid out in device coordinates near the surface: a rectangle beyond
  // GDI's coordinate space is pulled in (measuring keeps its own origin).
  const Point origin = calculate ? Point{} : state_.viewportOrigin;
  const long long left = static_cast<long long>(rect.left) + origin.x;
  const long long top = static_cast<long long>(rect.top) + origin.y;
  RECT r{gdi::Near(left), gdi::Near(top), gdi::Near(static_cast<long long>(rect.right) + origin.x),
         gdi::Near(static_cast<long long>(rect.bottom) + origin.y)};
  DRAWTEXTPARAMS margins{sizeof(DRAWTEXTPARAMS), 0, 0, 0, 0};
  if (params != nullptr) {
    margins.iLeftMargin = params->leftMargin;
    margins.iRightMargin = params->rightMargin;
  }
  const Rect clip = DeviceClip();
  HDC dc = gdi::Prepare(surface_, state_, clip);
  const bool draw = !calculate && dc != nullptr;
  if (!draw) dc = gdi::MeasuringDc();
  const HGDIOBJ old = PrepareText(dc, *state_.font);
  const RECT asked = r;
  const unsigned gdiFormat = (format & kKnownFormats) | (draw ? 0 : DT_CALCRECT);
  // DrawTextExW may write into the text (DT_MODIFYSTRING only, never asked).
  const int height =
      DrawTextExW(dc, const_cast<wchar_t*>(Wide(text)), Length(text), &r, gdiFormat, &margins);
  SelectObject(dc, old);
  if (draw) GdiFlush();
  if (params != nullptr) params->lengthDrawn = margins.uiLengthDrawn;
  if (calculate) {
    rect.right = Saturate(left + (r.right - asked.left));
    rect.bottom = Saturate(top + (r.bottom - asked.top));
  }
  return height;
}

}  // namespace korvan
