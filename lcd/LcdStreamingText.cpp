#include "lcd/LcdStreamingText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "lcd/LcdCanvas.h"
#include "lcd/LcdWholePixels.h"

namespace korvan {

LcdStreamingText::~LcdStreamingText() {
  RemoveAllPieces();
}

std::int32_t LcdStreamingText::Initialize() {
  state_ = State::Resting;
  startDelay_ = 2000;
  scrollSpeed_ = 7;
  stepSize_ = 7;
  timer_.Restart();
  needsRebuild_ = false;
  leadingPiece_ = nullptr;
  stepRemainder_ = 0.0F;
  font_.UseStock();
  SetFontPointSize(8);
  return LcdItemGroup::Initialize();
}

void LcdStreamingText::SetOrigin(int x, int y) {
  LcdItemGroup::SetOrigin(x, y);
  if (pieces_.empty()) return;
  LcdTextItem& first = *pieces_.front();
  const Point before = first.GetOrigin();
  first.SetOrigin(x, y);
  if (before.x != x || before.y != y) ResetUpdate();
}

void LcdStreamingText::ResetUpdate() {
  state_ = State::Resting;
  timer_.Restart();
  leadingPiece_ = nullptr;
  stepRemainder_ = 0.0F;
  needsRebuild_ = true;
  RemoveAllPieces();
  AddPiece(text_.c_str());
}

void LcdStreamingText::SetText(const char16_t* text) {
  if (text == nullptr || text_ == text) return;
  text_ = text;
  ResetUpdate();
}

void LcdStreamingText::SetGapText(const char16_t* text) {
  if (text == nullptr || gapText_ == text) return;
  gapText_ = text;
  RequestRebuild();
}

void LcdStreamingText::RequestRebuild() {
  if (pieces_.size() > 1) {
    ResetUpdate();
  } else {
    needsRebuild_ = true;
  }
}

void LcdStreamingText::SetFont(const FontDescription& description) {
  font_.Replace(description);
  RequestRebuild();
}

void LcdStreamingText::SetFontFaceName(const char16_t* face) {
  if (face != nullptr) font_.Replace(font_.WithFaceName(face));
}

void LcdStreamingText::SetFontPointSize(int points) {
  font_.Replace(font_.WithPointSize(points));
}

void LcdStreamingText::SetFontWeight(int weight) {
  font_.Replace(font_.WithWeight(weight));
}

int LcdStreamingText::AddPiece(const char16_t* text) {
  auto piece = std::make_unique<LcdTextItem>();
  piece->Initialize();
  piece->SetText(text);
  piece->SetOrigin(GetOrigin());
  piece->SetLogicalOrigin(GetLogicalOrigin());
  piece->SetSize(GetWidth(), GetHeight());
  piece->SetBackgroundMode(kOpaque);
  // Without a font of the item's own the piece keeps its default one.
  if (font_.Get() != nullptr) piece->SetFont(font_.Description());
  needsRebuild_ = true;
  AddItem(piece.get());
  if (leadingPiece_ == nullptr) leadingPiece_ = piece.get();
  pieces_.push_back(std::move(piece));
  return static_cast<int>(pieces_.size()) - 1;
}

void LcdStreamingText::RemovePiece(std::size_t index) {
  if (index >= pieces_.size()) return;
  LcdTextItem* piece = pieces_[index].get();
  RemoveItem(piece);
  pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(index));
  if (leadingPiece_ == piece) leadingPiece_ = pieces_.empty() ? nullptr : pieces_.front().get();
}

void LcdStreamingText::RemoveAllPieces() {
  for (const auto& piece : pieces_) RemoveItem(piece.get());
  pieces_.clear();
  leadingPiece_ = nullptr;
}

void LcdStreamingText::Draw(LcdCanvas& canvas) {
  if (needsRebuild_) {
    Rebuild(canvas);
    needsRebuild_ = false;
    return;
  }
  if (state_ == State::Resting) {
    if (timer_.Outlasted(startDelay_)) {
      state_ = State::Moving;
      timer_.Restart();
    }
  } else {
    const float step = timer_.TakeDistance(scrollSpeed_);
    if (pieces_.size() > 1) {
      const float earned = std::max(step + stepRemainder_, 0.0F);
      const bool jump = earned >= static_cast<float>(stepSize_);
      stepRemainder_ = jump ? earned - std::trunc(earned) : earned;
      if (jump) ScrollPieces(-WholePixels(earned));
    }
  }
  LcdItemGroup::Draw(canvas);
}

void LcdStreamingText::Rebuild(LcdCanvas& canvas) {
  if (pieces_.empty()) return;
  LcdTextItem& first = *pieces_.front();
  if (font_.Get() != nullptr) first.SetFont(font_.Description());
  LcdItemGroup::Draw(canvas);  // measures the piece
  if (first.GetLineExtent().cx > GetWidth()) {
    first.SetAlignment(DrawTextFormat::kLeft);
    AddPiece(gapText_.c_str());
    AddPiece(text_.c_str());
    AddPiece(gapText_.c_str());
  } else {
    first.SetAlignment(alignment_);
  }
  LcdItemGroup::Draw(canvas);
  LayoutPieces();
}

void LcdStreamingText::LayoutPieces() {
  if (pieces_.size() <= 1) return;
  int x = pieces_.front()->GetLogicalOrigin().x;
  for (const auto& piece : pieces_) {
    const Size extent = piece->GetLineExtent();
    piece->SetLogicalSize(extent);
    piece->SetLogicalOrigin(x, piece->GetLogicalOrigin().y);
    x = AddSaturated(x, extent.cx);
  }
}

void LcdStreamingText::ScrollPieces(int dx) {
  for (const auto& piece : pieces_) {
    const Point& logical = piece->GetLogicalOrigin();
    piece->SetLogicalOrigin(AddSaturated(logical.x, dx), logical.y);
  }
  if (leadingPiece_ == nullptr) return;
  const long long x = leadingPiece_->GetLogicalOrigin().x;
  if (std::llabs(x) < leadingPiece_->GetLineExtent().cx) return;
  // The leading piece is the front one: it moves to the end of the band,
  // reusing both lists' storage.
  RemoveItem(leadingPiece_);
  AddItem(leadingPiece_);
  std::rotate(pieces_.begin(), pieces_.begin() + 1, pieces_.end());
  LayoutPieces();
  leadingPiece_ = pieces_.front().get();
}

}  // namespace korvan
