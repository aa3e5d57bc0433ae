#include "lcd/LcdScrollingText.h"

#include <algorithm>
#include <string_view>

#include "lcd/LcdWholePixels.h"

namespace korvan {

std::int32_t LcdScrollingText::Initialize() {
  startDelay_ = 1000;
  scrollSpeed_ = 20;
  scrollDistance_ = -1;
  timer_.Restart();
  scrollPosition_ = 0.0F;
  direction_ = LcdScrollDirection::Horizontal;
  endDelay_ = 1000;
  repeat_ = true;
  return LcdTextItem::Initialize();
}

void LcdScrollingText::ResetUpdate() {
  state_ = LcdScrollState::StartWait;
  timer_.Restart();
  scrollDistance_ = -1;
  scrollPosition_ = 0.0F;
  SetLeftMargin(0);
  SetLogicalOrigin(0, 0);
  LcdTextItem::ResetUpdate();
}

void LcdScrollingText::SetText(const char16_t* text) {
  if (text == nullptr) return;
  if (std::u16string_view(text) != GetText()) ResetUpdate();
  LcdTextItem::SetText(text);
}

void LcdScrollingText::SetScrollDirection(LcdScrollDirection direction) {
  direction_ = direction;
  SetWordWrap(direction == LcdScrollDirection::Vertical);
  ResetUpdate();
}

void LcdScrollingText::Draw(LcdCanvas& canvas) {
  if (*GetText() == u'\0') return;
  if (scrollDistance_ == -1) Measure(canvas);
  switch (state_) {
    case LcdScrollState::StartWait:
      if (timer_.Outlasted(startDelay_)) {
        state_ = LcdScrollState::Scrolling;
        timer_.Restart();
      }
      break;
    case LcdScrollState::Scrolling:
      Step();
      break;
    case LcdScrollState::EndWait:
      if (!timer_.Outlasted(endDelay_)) break;
      if (repeat_) {
        ResetUpdate();
      } else {
        timer_.Restart();
        state_ = LcdScrollState::Done;
      }
      break;
    case LcdScrollState::Done:
      break;
  }
  LcdTextItem::Draw(canvas);
}

// Draws once to measure, then takes how far the text reaches past the box
// as the distance to slide and the whole text block as the logical size.
void LcdScrollingText::Measure(LcdCanvas& canvas) {
  LcdTextItem::Draw(canvas);
  if (direction_ == LcdScrollDirection::Vertical) {
    const Size wrapped = GetWrappedExtent();
    scrollDistance_ = GetHeight() < wrapped.cy ? wrapped.cy - GetHeight() : 0;
    SetLogicalSize(wrapped.cx, wrapped.cy);
  } else {
    const Size line = GetLineExtent();
    scrollDistance_ = GetWidth() < line.cx ? line.cx - GetWidth() : 0;
    SetLogicalSize(std::max(GetSize().cx, line.cx), line.cy);
  }
}

void LcdScrollingText::Step() {
  scrollPosition_ += timer_.TakeDistance(scrollSpeed_);
  const int shift = std::min(WholePixels(scrollPosition_), scrollDistance_);
  const Point logical = GetLogicalOrigin();
  if (direction_ == LcdScrollDirection::Vertical) {
    SetLogicalOrigin(logical.x, -shift);
  } else {
    SetLogicalOrigin(-shift, logical.y);
  }
  if (shift == scrollDistance_) state_ = LcdScrollState::EndWait;
}

}  // namespace korvan
