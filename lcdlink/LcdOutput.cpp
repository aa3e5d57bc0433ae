#include "lcdlink/LcdOutput.h"

#include <cstdio>

#include "lcd/LcdStatus.h"

namespace korvan {
namespace {

constexpr char16_t kDefaultApplicationName[] = u"My App";
constexpr std::uint32_t kButtonBits[] = {LCD_BUTTON_0, LCD_BUTTON_1, LCD_BUTTON_2, LCD_BUTTON_3};

}  // namespace

LcdOutput::LcdOutput(Clock& clock, LcdManagerService& service)
    : LcdPage(clock), service_(service) {}

std::int32_t LcdOutput::Initialize() {
  return Initialize(nullptr);
}

std::int32_t LcdOutput::Initialize(const LcdConnectContext* context) {
  LcdPage::Initialize();
  for (LcdPage* page : pages_) page->Initialize();
  if (service_.AddShare() == 1) {
    const std::int32_t started = service_.Startup();
    if (started != kLcdOk) {
      report_.Enter(LcdLinkState::kServiceDown, started);
      service_.ReleaseShare();
      return kStatusFail;
    }
  }
  ++sharesHeld_;
  connectContext_.appName = reinterpret_cast<const std::uint16_t*>(kDefaultApplicationName);
  connectContext_.optionA = 0;
  connectContext_.optionB = 0;
  connectContext_.connection = -1;
  if (context != nullptr) connectContext_ = *context;
  return kStatusOk;
}

std::int32_t LcdOutput::ReleaseShare() {
  CloseAll();
  // An output that holds no share gives none back, so the count the
  // outputs share can never go below zero.
  if (sharesHeld_ == 0) return service_.Shares();
  --sharesHeld_;
  const std::int32_t left = service_.ReleaseShare();
  return left == 0 ? service_.Cleanup() : left;
}

void LcdOutput::SetActivePage(LcdPage* page) {
  if (!pageLocked_) activePage_ = page;
}

void LcdOutput::LockActivePage(LcdPage* page) {
  if (pageLocked_) return;
  activePage_ = page;
  pageLocked_ = true;
}

void LcdOutput::UnlockActivePage() {
  pageLocked_ = false;
  activePage_ = nullptr;
}

void LcdOutput::Advance(std::uint32_t now) {
  if (activePage_ != nullptr) activePage_->Advance(now);
  if (activePage_ != nullptr && activePage_->IsExpired()) {
    activePage_ = nullptr;
    OnPageExpired(nullptr);
    LcdPage* next = nullptr;
    for (LcdPage* page : pages_) {
      if (!page->IsExpired()) {
        next = page;
        break;
      }
    }
    if (next != nullptr) {
      SetActivePage(next);
    } else if (IsDeviceOpen()) {
      PushBlankFrame();
    }
  }
  if (device_ == -1) ConnectAndOpen();
}

std::int32_t LcdOutput::ConnectAndOpen() {
  if (connection_ == -1) {
    const std::int32_t result = service_.Connect(&connectContext_);
    if (result != kLcdOk) {
      report_.Enter(result == kLcdServiceNotActive ? LcdLinkState::kServiceDown
                                                   : LcdLinkState::kConnectFailed,
                    result);
      return result;
    }
    connection_ = connectContext_.connection;
    device_ = -1;
  }
  if (device_ != -1) {
    service_.CloseDevice(device_);
    device_ = -1;
  }
  LcdDeviceDescription description{};
  const std::int32_t query = service_.QueryDevice(connection_, 0, &description);
  if (query == kLcdNoMoreItems) {
    report_.Enter(LcdLinkState::kNoDevice);
    return query;
  }
  if (query != kLcdOk) {
    report_.Enter(LcdLinkState::kOpenFailed, query);
    CloseAll();
    return query;
  }
  LcdOpenContext open{};
  open.connection = connection_;
  open.deviceIndex = 0;
  const std::int32_t opened = service_.OpenDevice(&open);
  if (opened != kLcdOk) {
    report_.Enter(LcdLinkState::kOpenFailed, opened);
    return opened;
  }
  report_.Enter(LcdLinkState::kOpen);
  device_ = open.device;
  lastButtons_ = 0;
  SetForeground(foreground_);
  return kLcdOk;
}

std::int32_t LcdOutput::Render() {
  std::int32_t priority = 0;
  if (activePage_ != nullptr) {
    const bool failing = activePage_->Render() < 0;
    if (failing && !renderFailing_) {
      std::fputs("korvan: the shown LCD page cannot be drawn (it has no canvas)\n", stderr);
    }
    renderFailing_ = failing;
    priority = priority_;
  }
  const LcdFrame* frame = GetActiveFrame();
  if (frame != nullptr && device_ != -1 && priority != 0) {
    HandleResult(service_.PushFrame(device_, frame, priority));
    PollButtons();
  }
  return kStatusOk;
}

void LcdOutput::HandleResult(std::int32_t result) {
  if (result == kLcdOk) return;
  report_.Enter(LcdLinkState::kDeviceLost, result);
  CloseDevice(device_);
  if (result != kLcdDeviceNotConnected) Disconnect(connection_);
}

void LcdOutput::PollButtons() {
  if (device_ == -1) return;
  std::uint32_t mask = 0;
  const std::int32_t result = service_.ReadButtons(device_, &mask);
  if (result != kLcdOk) HandleResult(result);
  if (mask == lastButtons_) return;
  for (const std::uint32_t bit : kButtonBits) {
    const bool wasDown = (lastButtons_ & bit) != 0;
    const bool isDown = (mask & bit) != 0;
    if (wasDown && !isDown) OnButtonUp(static_cast<std::int32_t>(bit));
    if (!wasDown && isDown) OnButtonDown(static_cast<std::int32_t>(bit));
  }
  lastButtons_ = mask;
}

void LcdOutput::OnButtonDown(std::int32_t button) {
  if (activePage_ != nullptr) activePage_->OnButtonDown(button);
}

void LcdOutput::OnButtonUp(std::int32_t button) {
  if (activePage_ != nullptr) activePage_->OnButtonUp(button);
}

void LcdOutput::OnPageExpired(LcdPage*) {
  UnlockActivePage();
}

void LcdOutput::CloseDevice(std::int32_t device) {
  if (device_ == -1) return;
  service_.CloseDevice(device);
  device_ = -1;
}

void LcdOutput::Disconnect(std::int32_t connection) {
  if (connection_ == -1) return;
  service_.Disconnect(connection);
  connection_ = -1;
}

void LcdOutput::CloseAll() {
  CloseDevice(device_);
  Disconnect(connection_);
}

void LcdOutput::SetPriority(std::int32_t priority) {
  priority_ = priority;
  if (priority == 0 && IsDeviceOpen()) PushBlankFrame();
}

void LcdOutput::SetForeground(std::int32_t foreground) {
  foreground_ = foreground;
  if (IsDeviceOpen()) service_.SetForeground(device_, foreground);
}

const LcdFrame* LcdOutput::GetActiveFrame() {
  return activePage_ != nullptr ? activePage_->GetFrame() : LcdPage::GetFrame();
}

void LcdOutput::PushBlankFrame() {
  const LcdFrame* blank = LcdPage::GetFrame();
  if (blank != nullptr) service_.PushFrame(device_, blank, 0);
}

}  // namespace korvan
