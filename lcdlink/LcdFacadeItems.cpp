// The facade's item operations: creating items on the edited page and
// changing them there.
#include <iterator>

#include "lcd/LcdBitmapItem.h"
#include "lcd/LcdIconItem.h"
#include "lcd/LcdProgressBar.h"
#include "lcd/LcdStatus.h"
#include "lcd/LcdStreamingText.h"
#include "lcd/LcdTextItem.h"
#include "lcdlink/LcdFacade.h"

namespace korvan {

// The font classes a text can be made with, lifted by their logical origin
// as the screens were laid out for Microsoft Sans Serif: the lift takes away
// the rows that face leaves above its digits. The faces we draw instead leave
// other rows there; the text layer moves them by the difference
// (platform/fonts/FaceSubstitution.h), so the lifts here stay the layout's.
namespace {

struct FontClass {
  int lineHeight;
  int points;
  int logicalOriginY;
  bool bold;
};

constexpr char16_t kFontFace[] = u"Microsoft Sans Serif";

constexpr FontClass kFontClasses[] = {
    {12, 7, -3, false},  // Small
    {13, 8, -2, false},  // Medium
    {20, 12, -4, true},  // Large
};

// What both text kinds take from their font class, in the order the items
// expect it: the weight before the size, the size before the point size.
template <typename TextItem>
void ApplyFontClass(TextItem& text, const FontClass& font, int width, int height,
                    LcdItemKind kind) {
  if (font.bold) text.SetFontWeight(kWeightBold);
  text.SetSize(width, height);
  text.SetFontPointSize(font.points);
  text.SetLogicalOrigin(0, font.logicalOriginY);
  text.SetKind(kind);
}

LcdProgressStyle ItemStyle(LcdBarStyle style) {
  switch (style) {
    case LcdBarStyle::Cursor:
      return LcdProgressStyle::Cursor;
    case LcdBarStyle::DottedCursor:
      return LcdProgressStyle::DottedCursor;
    default:
      return LcdProgressStyle::Filled;
  }
}

// Null for a class the table does not hold.
const FontClass* FontClassOf(LcdFontClass fontClass) {
  const auto index = static_cast<std::size_t>(fontClass);
  return index < std::size(kFontClasses) ? &kFontClasses[index] : nullptr;
}

LcdProgressBar* AsProgressBar(LcdItem* item) {
  if (item->GetKind() != LcdItemKind::ProgressBar) return nullptr;
  return dynamic_cast<LcdProgressBar*>(item);
}

}  // namespace

LcdItem* LcdFacade::AddText(LcdItemKind kind, LcdFontClass fontClass, LcdTextAlignment alignment,
                            int width, int lines) {
  const FontClass* font = FontClassOf(fontClass);
  if (editPage_ == nullptr || font == nullptr) return nullptr;
  if (kind == LcdItemKind::StreamingText) return AddStreamingText(fontClass, alignment, width);
  if (kind != LcdItemKind::Text) return nullptr;

  auto text = std::make_unique<LcdTextItem>();
  text->Initialize();
  text->SetOrigin(0, 0);
  text->SetFontFaceName(kFontFace);
  text->SetAlignment(static_cast<unsigned>(alignment));
  text->SetBackgroundMode(kOpaque);
  text->SetText(u" ");
  ApplyFontClass(*text, *font, width, font->lineHeight * lines, LcdItemKind::Text);
  if (lines > 1) text->SetWordWrap(true);
  return editPage_->Adopt(std::move(text));
}

// A ticker band: one font-class line high whatever the lines asked for.
LcdItem* LcdFacade::AddStreamingText(LcdFontClass fontClass, LcdTextAlignment alignment,
                                     int width) {
  const FontClass& font = *FontClassOf(fontClass);
  auto text = std::make_unique<LcdStreamingText>(clock_);
  text->Initialize();
  text->SetOrigin(0, 0);
  text->SetFontFaceName(kFontFace);
  text->SetAlignment(static_cast<unsigned>(alignment));
  text->SetText(u" ");
  text->SetGapText(u"       ");
  text->SetSpeed(7);
  text->SetStepSize(7);
  text->SetStartDelay(2000);
  ApplyFontClass(*text, font, width, font.lineHeight, LcdItemKind::StreamingText);
  return editPage_->Adopt(std::move(text));
}

bool LcdFacade::OnEditPage(const LcdItem* item) const {
  return editPage_ != nullptr && item != nullptr && editPage_->Contains(item);
}

std::int32_t LcdFacade::SetText(LcdItem* item, const char16_t* text) {
  if (!OnEditPage(item)) return kStatusFail;
  if (item->GetKind() == LcdItemKind::Text) {
    auto* textItem = dynamic_cast<LcdTextItem*>(item);
    if (textItem == nullptr) return kStatusFail;
    textItem->SetText(text);
    return kStatusOk;
  }
  if (item->GetKind() == LcdItemKind::StreamingText) {
    auto* streaming = dynamic_cast<LcdStreamingText*>(item);
    if (streaming == nullptr) return kStatusFail;
    streaming->SetText(text);
    return kStatusOk;
  }
  return kStatusFail;
}

LcdItem* LcdFacade::AddIcon(const IconImage* icon, int width, int height) {
  if (editPage_ == nullptr) return nullptr;
  auto item = std::make_unique<LcdIconItem>();
  item->Initialize();
  item->SetOrigin(0, 0);
  item->SetSize(width, height);
  item->SetIcon(icon, width, height);
  item->SetKind(LcdItemKind::Icon);
  return editPage_->Adopt(std::move(item));
}

LcdItem* LcdFacade::AddProgressBar(LcdBarStyle style) {
  if (editPage_ == nullptr) return nullptr;
  auto bar = std::make_unique<LcdProgressBar>();
  bar->Initialize();
  bar->SetOrigin(0, 0);
  bar->SetSize(pageWidth_, 5);
  bar->SetRange(0, 100);
  bar->SetPos(0);
  bar->SetKind(LcdItemKind::ProgressBar);
  bar->SetStyle(ItemStyle(style));
  return editPage_->Adopt(std::move(bar));
}

std::int32_t LcdFacade::SetProgressPosition(LcdItem* item, float position) {
  if (!OnEditPage(item)) return kStatusFail;
  LcdProgressBar* bar = AsProgressBar(item);
  if (bar == nullptr) return kStatusFail;
  bar->SetPos(position);
  return kStatusOk;
}

std::int32_t LcdFacade::SetProgressSize(LcdItem* item, int width, int height) {
  if (!OnEditPage(item) || AsProgressBar(item) == nullptr) return kStatusFail;
  item->SetSize(width, height);
  return kStatusOk;
}

LcdItem* LcdFacade::AddBitmap() {
  if (editPage_ == nullptr) return nullptr;
  auto item = std::make_unique<LcdBitmapItem>();
  item->Initialize();
  item->SetOrigin(0, 0);
  return editPage_->Adopt(std::move(item));
}

std::int32_t LcdFacade::SetBitmap(LcdItem* item, const BitmapImage* bitmap) {
  if (editPage_ == nullptr || bitmap == nullptr) return kStatusFail;
  if (!OnEditPage(item)) return kStatusOk;
  // Only a bitmap item takes a bitmap; any other item is left alone.
  if (auto* bitmapItem = dynamic_cast<LcdBitmapItem*>(item)) bitmapItem->SetBitmap(bitmap);
  return kStatusOk;
}

std::int32_t LcdFacade::SetPosition(LcdItem* item, int x, int y) {
  if (!OnEditPage(item)) return kStatusFail;
  item->SetOrigin(x, y);
  return kStatusOk;
}

std::int32_t LcdFacade::SetVisible(LcdItem* item, bool visible) {
  if (!OnEditPage(item)) return kStatusFail;
  item->SetVisible(visible);
  return kStatusOk;
}

}  // namespace korvan
