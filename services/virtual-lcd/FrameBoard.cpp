#include "services/virtual-lcd/FrameBoard.h"

#include <cstring>

namespace korvan::virtual_lcd {

void FrameBoard::Publish(const std::uint8_t* pixels) {
  {
    std::lock_guard lock(mutex_);
    std::memcpy(pixels_.data(), pixels, pixels_.size());
    ++sequence_;
  }
  changed_.notify_all();
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

bool FrameBoard::WaitPast(std::uint64_t seen, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return sequence_ > seen || closed_.load(); });
  return sequence_ > seen;
}

void FrameBoard::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_.store(true);
  }
  changed_.notify_all();
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
