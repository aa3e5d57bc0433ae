#include "lcdlink/LcdFacade.h"

#include <algorithm>

#include "lcd/LcdBitmapItem.h"
#include "lcd/LcdIconItem.h"
#include "lcd/LcdProgressBar.h"
#include "lcd/LcdStatus.h"
#include "lcd/LcdStreamingText.h"
#include "lcd/LcdTextItem.h"

namespace korvan {
namespace {

constexpr char16_t kFontFace[] = u"Microsoft Sans Serif";
constexpr int kBoldWeight = 700;

// The three font classes a text can be made with. The logical origin lifts
// the text so its digits sit at the top of the box. The lifts are those that
// leave the digits whole with the sans face we render (Liberation Sans has
// less room above its digits than the face the screens were laid out with,
// where 3, 2 and 4 rows were blank; with those, sizes 0 and 2 lost the top
// rows of every digit).
struct FontClass {
  int lineHeight;
  int points;
  int logicalOriginY;
  bool bold;
};
constexpr FontClass kFontClasses[] = {
    {12, 7, -1, false},
    {13, 8, -2, false},
    {20, 12, -2, true},
};

int ButtonIndex(std::int32_t mask) {
  switch (mask) {
    case LCD_BUTTON_0:
      return 0;
    case LCD_BUTTON_1:
      return 1;
    case LCD_BUTTON_2:
      return 2;
    case LCD_BUTTON_3:
      return 3;
    default:
      return -1;
  }
}

bool ValidButton(int button) {
  return button >= 0 && button < 4;
}

}  // namespace

void LcdFacadePage::OnButtonDown(std::int32_t button) {
  facade_.OnButtonDown(button);
}
void LcdFacadePage::OnButtonUp(std::int32_t button) {
  facade_.OnButtonUp(button);
}

LcdFacade::LcdFacade(Clock& clock, LcdManagerService& service)
    : clock_(clock), output_(clock, service) {}

LcdFacade::~LcdFacade() {
  pages_.clear();
  removedPages_.clear();
  // Every share the output took is given back, so the last one cleans the
  // service up and its threads end before the program does.
  do {
    output_.ReleaseShare();
  } while (output_.SharesHeld() > 0);
}

std::int32_t LcdFacade::Initialize(const char16_t* name, std::int32_t optionA, std::int32_t optionB,
                                   const Callback* callback, int width, int height) {
  if (!pages_.empty()) return kStatusFail;
  pageWidth_ = width;
  pageHeight_ = height;
  applicationName_.fill(u'\0');
  for (std::size_t i = 0; name != nullptr && name[i] != u'\0' && i + 1 < kApplicationNameChars;
       ++i) {
    applicationName_[i] = name[i];
  }
  needsSetup_ = true;
  connected_ = false;
  buttonsNow_.fill(0);
  buttonsBefore_.fill(0);
  callback_ = callback != nullptr ? *callback : Callback{};
  optionA_ = optionA;
  optionB_ = optionB;
  editPage_ = nullptr;
  AddPage();
  EditPage(0);
  const LcdConnectContext context = ConnectContext();
  if (output_.Initialize(&context) < 0) {
    connected_ = false;
    return kStatusFail;
  }
  return kStatusOk;
}

LcdConnectContext LcdFacade::ConnectContext() const {
  LcdConnectContext context{};
  context.appName = reinterpret_cast<const std::uint16_t*>(applicationName_.data());
  context.optionA = optionB_;  // the first option word carries the facade's option B
  context.optionB = optionA_;
  context.callback = callback_.function;
  context.callbackContext = callback_.context;
  context.connection = -1;
  return context;
}

std::int32_t LcdFacade::AddPage() {
  auto page = std::make_unique<LcdFacadePage>(*this, clock_, pageWidth_, pageHeight_);
  page->Initialize();
  page->StartTimeout(0xFFFFFFFFu);
  pages_.push_back(std::move(page));
  return PageCount();
}

std::int32_t LcdFacade::AddPages(int count) {
  for (int i = 0; i < count; ++i) AddPage();
  return PageCount();
}

std::int32_t LcdFacade::RemovePage(int index) {
  if (index < 0 || index >= PageCount()) return -1;
  removedPages_.push_back(std::move(pages_[static_cast<std::size_t>(index)]));
  pages_.erase(pages_.begin() + index);
  editPage_ = pages_.empty() ? nullptr : pages_.front().get();
  return PageCount();
}

std::int32_t LcdFacade::EditPage(int index) {
  if (index < 0 || index >= PageCount()) return 0;
  editPage_ = pages_[static_cast<std::size_t>(index)].get();
  return 1;
}

std::int32_t LcdFacade::ShowPage(int index) {
  if (EditPage(index) == 0) return 0;
  output_.UnlockActivePage();
  output_.LockActivePage(editPage_);
  return 1;
}

LcdItem* LcdFacade::AddText(std::int32_t kind, std::int32_t size, std::int32_t alignment, int width,
                            int lines) {
  if (editPage_ == nullptr) return nullptr;
  if (size < 0 || size > 2) return nullptr;
  if (kind == static_cast<std::int32_t>(LcdItemKind::StreamingText)) {
    return AddStreamingText(size, alignment, width);
  }
  if (kind != static_cast<std::int32_t>(LcdItemKind::Text)) return nullptr;
  const FontClass& font = kFontClasses[size];

  auto text = std::make_unique<LcdTextItem>();
  text->Initialize();
  text->SetOrigin(0, 0);
  text->SetFontFaceName(kFontFace);
  text->SetAlignment(static_cast<unsigned>(alignment));
  text->SetBackgroundMode(kOpaque);
  text->SetText(u" ");
  if (font.bold) text->SetFontWeight(kBoldWeight);
  text->SetSize(width, font.lineHeight * lines);
  text->SetFontPointSize(font.points);
  text->SetLogicalOrigin(0, font.logicalOriginY);
  text->SetKind(LcdItemKind::Text);
  if (lines > 1) text->SetWordWrap(true);
  return editPage_->Adopt(std::move(text));
}

// A ticker band: one font-class line high whatever the lines asked for.
LcdItem* LcdFacade::AddStreamingText(std::int32_t size, std::int32_t alignment, int width) {
  const FontClass& font = kFontClasses[size];
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
  if (font.bold) text->SetFontWeight(kBoldWeight);
  text->SetSize(width, font.lineHeight);
  text->SetFontPointSize(font.points);
  text->SetLogicalOrigin(0, font.logicalOriginY);
  text->SetKind(LcdItemKind::StreamingText);
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

LcdItem* LcdFacade::AddProgressBar(std::int32_t style) {
  if (editPage_ == nullptr) return nullptr;
  auto bar = std::make_unique<LcdProgressBar>();
  bar->Initialize();
  bar->SetOrigin(0, 0);
  bar->SetSize(pageWidth_, 5);
  bar->SetRange(0, 100);
  bar->SetPos(0);
  bar->SetKind(LcdItemKind::ProgressBar);
  switch (style) {
    case 0:
      bar->SetStyle(LcdProgressStyle::Cursor);
      break;
    case 2:
      bar->SetStyle(LcdProgressStyle::DottedCursor);
      break;
    default:
      bar->SetStyle(LcdProgressStyle::Filled);
      break;
  }
  return editPage_->Adopt(std::move(bar));
}

namespace {
LcdProgressBar* AsProgressBar(LcdItem* item) {
  if (item->GetKind() != LcdItemKind::ProgressBar) return nullptr;
  return dynamic_cast<LcdProgressBar*>(item);
}
}  // namespace

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

bool LcdFacade::ButtonWentDown(int button) const {
  if (!ValidButton(button)) return false;
  const auto i = static_cast<std::size_t>(button);
  return buttonsNow_[i] != 0 && buttonsBefore_[i] == 0;
}

bool LcdFacade::ButtonWentUp(int button) const {
  if (!ValidButton(button)) return false;
  const auto i = static_cast<std::size_t>(button);
  return buttonsNow_[i] == 0 && buttonsBefore_[i] != 0;
}

bool LcdFacade::ButtonIsDown(int button) const {
  return ValidButton(button) && buttonsNow_[static_cast<std::size_t>(button)] != 0;
}

std::int32_t LcdFacade::SetForeground(std::int32_t foreground) {
  output_.SetForeground(foreground);
  return kStatusOk;
}

std::int32_t LcdFacade::SetPriority(std::int32_t priority) {
  output_.SetPriority(priority);
  return kStatusOk;
}

void LcdFacade::Update() {
  if (needsSetup_) {
    for (const auto& page : pages_) output_.AddPage(page.get());
    output_.UnlockActivePage();
    output_.LockActivePage(editPage_);
    const LcdConnectContext context = ConnectContext();
    connected_ = output_.Initialize(&context) >= 0;
    needsSetup_ = false;
  }
  if (!connected_) return;
  buttonsBefore_ = buttonsNow_;
  output_.Advance(clock_.TickCount());
  output_.Render();
}

void LcdFacade::SetButton(std::int32_t mask, std::int32_t state) {
  const int index = ButtonIndex(mask);
  if (index >= 0) buttonsNow_[static_cast<std::size_t>(index)] = state;
}

void LcdFacade::OnButtonDown(std::int32_t mask) {
  SetButton(mask, 1);
}
void LcdFacade::OnButtonUp(std::int32_t mask) {
  SetButton(mask, 0);
}

}  // namespace korvan
