#include "lcd/LcdPage.h"

#include "lcd/LcdStatus.h"

namespace korvan {

std::int32_t LcdPage::Initialize() {
  std::int32_t status = LcdItem::Initialize();
  if (status >= 0) {
    SetOrigin(0, 0);
    SetSize(kLcdWidth, kLcdHeight);
    status = canvas_.Create(GetWidth(), GetHeight());
  }
  if (status < 0) {
    Shutdown();
    return status;
  }
  return kStatusOk;
}

void LcdPage::Shutdown() {
  canvas_.Destroy();
}

std::int32_t LcdPage::Render() {
  if (canvas_.GetDeviceContext() == nullptr || canvas_.GetBitmap() == nullptr) return kStatusFail;
  canvas_.BeginDraw();
  canvas_.Clear();
  Draw(canvas_);
  canvas_.EndDraw();
  return kStatusOk;
}

void LcdPage::Advance(std::uint32_t now) {
  timeoutElapsed_ = now - timeoutStart_;
  LcdItemGroup::Update(now);
}

bool LcdPage::IsExpired() {
  return timeoutStart_ == 0 || timeoutElapsed_ > timeoutDuration_;
}

void LcdPage::StartTimeout(std::uint32_t duration) {
  timeoutStart_ = clock_.TickCount();
  timeoutElapsed_ = 0;
  timeoutDuration_ = duration;
}

}  // namespace korvan
