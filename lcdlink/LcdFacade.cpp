#include "lcdlink/LcdFacade.h"

#include <cstdio>

#include "lcd/LcdStatus.h"

namespace korvan {
namespace {

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
  // Set-up goes on without the page's canvas; the page then stays blank.
  if (page->Initialize() < 0) {
    std::fprintf(stderr, "korvan: LCD page %d could not make its %d x %d canvas\n", PageCount(),
                 pageWidth_, pageHeight_);
  }
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
