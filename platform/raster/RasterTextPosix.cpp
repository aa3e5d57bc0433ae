// The text calls of RasterContext: TextOut, DrawText and measuring.
#include <algorithm>
#include <cstddef>

#include "platform/fonts/FontFacePosix.h"
#include "platform/raster/RasterBytesPosix.h"
#include "platform/raster/RasterContext.h"
#include "platform/text/Utf16.h"

namespace korvan {
namespace {

constexpr char16_t kPrefix = u'&';

bool IsLineBreak(char16_t c) {
  return c == u'\n' || c == u'\r';
}

// Reads one drawn character; with prefix processing a single '&' is not drawn
// and marks the next character, and "&&" draws one '&'.
char32_t NextDrawn(std::u16string_view text, std::size_t& index, bool prefix, bool& marked) {
  marked = false;
  if (prefix && text[index] == kPrefix && index + 1 < text.size()) {
    ++index;
    marked = text[index] != kPrefix;
  }
  return NextCodePoint(text, index);
}

int RunWidth(FontFace::Backend& glyphs, std::u16string_view text, bool prefix) {
  long long width = 0;
  bool marked = false;
  for (std::size_t i = 0; i < text.size();)
    width += glyphs.GetGlyph(NextDrawn(text, i, prefix, marked)).advance;
  return Saturate(width);
}

std::size_t FindLineBreak(std::u16string_view text, std::size_t from) {
  while (from < text.size() && !IsLineBreak(text[from])) ++from;
  return from;
}

std::size_t SkipLineBreak(std::u16string_view text, std::size_t at) {
  if (at >= text.size()) return at;
  // CR LF and LF CR are each one break; two equal characters are two.
  if (at + 1 < text.size() && IsLineBreak(text[at + 1]) && text[at + 1] != text[at]) return at + 2;
  return at + 1;
}

struct LineSpan {
  std::size_t end;   // the drawn part is [begin, end)
  std::size_t next;  // where the following line starts
};

// Breaks [begin, segmentEnd) where the text gets wider than `available`, as
// GDI's DrawText does in the extents tools/raster-reference measures with it
// under Wine (CalculatedRectangles): when a space is what no longer fits,
// the line ends right before it; when a word does, the line ends before the
// last space. A single word wider than the line stays whole and is cut by
// the rectangle, as the desktop API does without its ellipsis flags. The
// spaces at the break open no line of their own.
LineSpan BreakLine(FontFace::Backend& glyphs, std::u16string_view text, std::size_t begin,
                   std::size_t segmentEnd, long long available, bool prefix) {
  long long width = 0;
  std::size_t lastSpace = std::u16string_view::npos;
  bool marked = false;
  std::size_t end = segmentEnd;
  for (std::size_t i = begin; i < segmentEnd;) {
    const std::size_t start = i;
    const char32_t c = NextDrawn(text, i, prefix, marked);
    if (c == U' ' && start > begin) lastSpace = start;
    width += glyphs.GetGlyph(c).advance;
    if (width <= available) continue;
    if (c == U' ') {
      end = start;
    } else if (lastSpace != std::u16string_view::npos) {
      end = lastSpace;
    } else {
      end = i;
      while (end < segmentEnd && text[end] != u' ') ++end;
    }
    break;
  }
  std::size_t next = end;
  while (next < segmentEnd && text[next] == u' ') ++next;
  return {end, next};
}

// Draws one line of text with its cell's top-left at logical (x, y), cut to
// `area` (device coordinates, on the surface).
void DrawRun(PixelSurface* surface, const RasterState& state, const Rect& area, int x, int y,
             std::u16string_view text, bool prefix) {
  if (area.IsEmpty()) return;
  const FontFace& face = state.font->Face();
  FontFace::Backend& glyphs = face.Native();
  const int left = AddSaturated(x, state.viewportOrigin.x);
  // A substitute face's line is drawn lower or higher, its cell with it, so
  // its digits start where the face asked would put them.
  const int top = AddSaturated(AddSaturated(y, state.viewportOrigin.y), state.font->TextShiftY());
  if (state.backgroundMode == kOpaque) {
    const int width = RunWidth(glyphs, text, prefix);
    const Rect cell{left, top, AddSaturated(left, width), AddSaturated(top, face.Metrics().height)};
    bytes::Fill(surface, Intersect(cell, area), PixelOf(state.backgroundColor));
  }
  const std::uint8_t ink = PixelOf(state.textColor);
  const int baseline = AddSaturated(top, face.Metrics().ascent);
  // Glyphs overhang their pen position by less than an em on either side.
  const int reach = face.PixelSize() * 2;
  int pen = left;
  bool marked = false;
  for (std::size_t i = 0; i < text.size() && pen < area.right + reach;) {
    const Glyph& glyph = glyphs.GetGlyph(NextDrawn(text, i, prefix, marked));
    if (pen + reach > area.left) {
      const int gx = pen + glyph.left;
      const int gy = baseline - glyph.top;
      const int rowFrom = std::max(0, area.top - gy);
      const int rowTo = std::min(glyph.rows, area.bottom - gy);
      const int colFrom = std::max(0, area.left - gx);
      const int colTo = std::min(glyph.width, area.right - gx);
      for (int row = rowFrom; row < rowTo; ++row) {
        std::uint8_t* out = surface->Row(gy + row);
        for (int col = colFrom; col < colTo; ++col) {
          if (glyph.Lit(col, row)) out[gx + col] = ink;
        }
      }
      if (marked) {
        // The prefix underline stops one pixel short of the next character.
        const Rect underline{pen, baseline + 1, pen + glyph.advance - 1, baseline + 2};
        bytes::Fill(surface, Intersect(underline, area), ink);
      }
    }
    pen += glyph.advance;
  }
}

}  // namespace

Size RasterContext::GetTextExtent(std::u16string_view text) const {
  const FontFace& face = state_.font->Face();
  return {RunWidth(face.Native(), text, false), face.Metrics().height};
}

void RasterContext::TextOut(int x, int y, std::u16string_view text) {
  DrawRun(surface_, state_, DeviceClip(), x, y, text, false);
}

namespace {

// Where the first line's cell starts: single lines may be centred or put at
// the bottom of the rectangle; everything else starts at its top.
long long FirstLineTop(const Rect& rect, unsigned format, int lineHeight) {
  using namespace DrawTextFormat;
  if ((format & kSingleLine) == 0) return rect.top;
  if ((format & kBottom) != 0) return static_cast<long long>(rect.bottom) - lineHeight;
  if ((format & kVCenter) != 0) {
    return rect.top + (static_cast<long long>(rect.Height()) - lineHeight) / 2;
  }
  return rect.top;
}

// Where a line of `width` pixels starts between the margins.
long long LineLeft(const Rect& rect, unsigned format, int leftMargin, int rightMargin, int width) {
  using namespace DrawTextFormat;
  if ((format & kRight) != 0) return static_cast<long long>(rect.right) - rightMargin - width;
  if ((format & kCenter) != 0) {
    return (static_cast<long long>(rect.left) + leftMargin + rect.right - rightMargin - width) / 2;
  }
  return static_cast<long long>(rect.left) + leftMargin;
}

}  // namespace

int RasterContext::DrawText(std::u16string_view text, Rect& rect, unsigned format,
                            DrawTextParams* params) {
  using namespace DrawTextFormat;
  const FontFace& face = state_.font->Face();
  FontFace::Backend& glyphs = face.Native();
  const FontMetrics& metrics = face.Metrics();
  const bool calculate = (format & kCalcRect) != 0;
  const bool singleLine = (format & kSingleLine) != 0;
  const bool wordBreak = (format & kWordBreak) != 0 && !singleLine;
  const bool prefix = (format & kNoPrefix) == 0;
  if (params != nullptr) params->lengthDrawn = 0;

  if (text.empty()) {
    // One empty line, as "\n" is: a calculated rectangle is as high as the
    // height returned (GDI leaves a multi-line one 0 high and returns a
    // line's height all the same).
    if (calculate) {
      rect.right = rect.left;
      rect.bottom = AddSaturated(rect.top, metrics.height);
    }
    return metrics.height;
  }

  // GDI's DrawTextEx counts the margins in pixels, not in the average
  // character widths its documentation speaks of (tools/raster-reference
  // measures it); we follow it.
  const int leftMargin = params != nullptr ? params->leftMargin : 0;
  const int rightMargin = params != nullptr ? params->rightMargin : 0;
  const long long available = static_cast<long long>(rect.Width()) - leftMargin - rightMargin;
  // The rectangle's clip follows the lines when a substitute face moves them,
  // so the text is cut where the face asked would be cut.
  const Rect clip =
      (format & kNoClip) != 0
          ? DeviceClip()
          : rect.Offset(state_.viewportOrigin.x,
                        AddSaturated(state_.viewportOrigin.y, state_.font->TextShiftY()));
  const long long firstY = FirstLineTop(rect, format, metrics.height);
  long long y = firstY;
  int widest = 0;
  std::size_t pos = 0;
  do {
    const std::size_t segmentEnd = singleLine ? text.size() : FindLineBreak(text, pos);
    LineSpan span{segmentEnd, segmentEnd};
    if (wordBreak) span = BreakLine(glyphs, text, pos, segmentEnd, available, prefix);
    const std::u16string_view line = text.substr(pos, span.end - pos);
    const int width = RunWidth(glyphs, line, prefix);
    widest = std::max(widest, width);
    if (!calculate) {
      const long long x = LineLeft(rect, format, leftMargin, rightMargin, width);
      DrawRun(surface_, state_, Intersect(clip, DeviceClip()), Saturate(x), Saturate(y), line,
              prefix);
    }
    pos = span.next >= segmentEnd ? SkipLineBreak(text, segmentEnd) : span.next;
    y += metrics.height;
    // Lines wholly below a clipping rectangle cannot show; stop measuring
    // them so a huge wrapped text costs only what is visible.
  } while (pos < text.size() && (calculate || (format & kNoClip) != 0 || y < rect.bottom));

  if (params != nullptr) params->lengthDrawn = static_cast<unsigned>(pos);
  if (calculate) {
    rect.right = Saturate(static_cast<long long>(rect.left) + widest + leftMargin + rightMargin);
    rect.bottom = Saturate(y);
  }
  return Saturate(y - firstY);
}

}  // namespace korvan
