#include "lcd/LcdTextItem.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "lcd/LcdCanvas.h"
#include "lcd/LcdStatus.h"

namespace korvan {

std::int32_t LcdTextItem::Initialize() {
  font_.UseStock();
  SetFontPointSize(8);
  return font_.Get() != nullptr ? kStatusOk : kStatusOutOfMemory;
}

void LcdTextItem::SetFont(const FontDescription& description) {
  font_.Replace(description);
  needsMeasure_ = true;
}

void LcdTextItem::SetFontFaceName(const char16_t* face) {
  if (face != nullptr) SetFont(font_.WithFaceName(face));
}

void LcdTextItem::SetFontPointSize(int points) {
  SetFont(font_.WithPointSize(points));
}

void LcdTextItem::SetFontWeight(int weight) {
  SetFont(font_.WithWeight(weight));
}

void LcdTextItem::SetText(const char16_t* text) {
  if (text == nullptr) return;
  const std::u16string_view incoming(text);
  // The application re-sends unchanged values every cycle: compare first.
  if (incoming == text_) return;
  text_.assign(incoming);
  textLength_ = static_cast<std::int32_t>(std::min<std::size_t>(text_.size(), INT32_MAX));
  drawParams_.leftMargin = 0;
  drawParams_.rightMargin = 0;
  needsMeasure_ = true;
}

void LcdTextItem::SetWordWrap(bool wrap) {
  if (wrap) {
    format_ |= DrawTextFormat::kWordBreak;
  } else {
    format_ &= ~DrawTextFormat::kWordBreak;
  }
  needsMeasure_ = true;
}

void LcdTextItem::SetAlignment(unsigned alignment) {
  format_ = (format_ & ~alignment_) | alignment;
  alignment_ = alignment;
}

void LcdTextItem::Draw(LcdCanvas& canvas) {
  RasterContext* dc = canvas.GetDeviceContext();
  if (dc == nullptr) return;
  // An opaque text blanks every row of its box: the logical origin lifts
  // the text within the box, not the box (logical (0, 0) lies at the box's
  // corner plus the logical origin). Across, the blank follows the text, as a
  // ticker's pieces move theirs side by side through one box.
  if (GetBackgroundMode() == kOpaque) {
    const int top = Saturate(-static_cast<long long>(GetLogicalOrigin().y));
    const int bottom = AddSaturated(top, GetHeight());
    const Brush& black = GetStockBrush(StockBrush::Black);
    dc->FillRect({0, top, GetWidth(), bottom}, black);
    dc->FillRect({0, top, GetLogicalSize().cx, bottom}, black);
  }
  if (textLength_ == 0) return;

  // Everything changed below is put back when the guard goes.
  RasterStateGuard guard(*dc);
  dc->SetMapMode(kMapModeText);
  dc->SetBackgroundMode(GetBackgroundMode());
  dc->SelectFont(font_.Get());
  dc->SetTextColor(textColor_);
  const std::u16string_view text(text_.data(), static_cast<std::size_t>(textLength_));

  if (needsMeasure_) {
    Rect rect{0, 0, GetWidth(), GetHeight()};
    dc->DrawText(text, rect, format_ | DrawTextFormat::kWordBreak | DrawTextFormat::kCalcRect,
                 &drawParams_);
    wrappedExtent_ = {rect.right, rect.bottom};
    rect = {0, 0, GetWidth(), GetHeight()};
    dc->DrawText(text, rect, format_ | DrawTextFormat::kCalcRect, &drawParams_);
    lineExtent_ = {rect.right, rect.bottom};
    needsMeasure_ = false;
  }

  if (IsVisible()) {
    Rect rect{0, 0, GetLogicalSize().cx, GetLogicalSize().cy};
    dc->DrawText(text, rect, format_, &drawParams_);
    // The text layer draws a substitute face lower or higher than the face
    // asked; the inversion goes with the text.
    const int shift = font_.Get() != nullptr ? font_.Get()->TextShiftY() : 0;
    if (IsInverted()) dc->InvertRect(rect.Offset(0, shift));
  }
}

}  // namespace korvan
