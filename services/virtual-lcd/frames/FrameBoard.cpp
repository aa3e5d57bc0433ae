#include "services/virtual-lcd/frames/FrameBoard.h"

#include <cstring>

namespace korvan::virtual_lcd {

void FrameBoard::Publish(const std::uint8_t* pixels) {
  {
    std::lock_guard lock(mutex_);
    std::memcpy(pixels_.data(), pixels, pixels_.size());
    ++sequence_;
    if (publishHook_) publishHook_();
  }
}

FrameSnapshot FrameBoard::Latest() const {
  FrameSnapshot snapshot;
  {
    std::lock_guard lock(mutex_);
    snapshot.sequence = sequence_;
    snapshot.pixels = pixels_;
  }
  snapshot.connected = connected_.load();
  snapshot.lastResult = lastResult_.load();
  return snapshot;
}

// Under the mutex, so once this returns no Publish calls the old hook.
void FrameBoard::SetPublishHook(std::function<void()> hook) {
  std::lock_guard lock(mutex_);
  publishHook_ = std::move(hook);
}

void FrameBoard::SetPanelButtons(std::uint32_t held) {
  held &= 0xFu;
  pressedButtons_.fetch_or(held);
  heldButtons_.store(held);
}

std::uint32_t FrameBoard::TakePanelButtons() {
  return heldButtons_.load() | pressedButtons_.exchange(0);
}

}  // namespace korvan::virtual_lcd
