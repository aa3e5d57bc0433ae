#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::virtual_lcd {

using Pixels = std::array<std::uint8_t, LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT>;

struct FrameSnapshot {
  std::uint64_t sequence = 0;  // frames shown so far; 0: none yet
  Pixels pixels{};
  bool connected = false;       // a device is open
  std::int32_t lastResult = 0;  // what the latest push answered
};

// What the program's thread hands to the panel's thread and back: the
// latest frame (the mutex guards only its copy), the status, and the soft
// buttons pressed on the panel.
class FrameBoard {
 public:
  void Publish(const std::uint8_t* pixels);
  void SetLastResult(std::int32_t result) { lastResult_.store(result); }
  void SetConnected(bool connected) { connected_.store(connected); }

  FrameSnapshot Latest() const;
  // Called after every Publish, on the publishing thread: how the panel
  // learns of a new frame. Empty: none.
  void SetPublishHook(std::function<void()> hook);

  // The panel's buttons: `held` is the mask now held. A press is kept until
  // the program has read it once, so a click shorter than a display cycle
  // is still seen.
  void SetPanelButtons(std::uint32_t held);
  std::uint32_t TakePanelButtons();

 private:
  mutable std::mutex mutex_;
  std::function<void()> publishHook_;  // guarded by mutex_
  std::uint64_t sequence_ = 0;
  Pixels pixels_{};
  std::atomic<bool> connected_{false};
  std::atomic<std::int32_t> lastResult_{0};
  std::atomic<std::uint32_t> heldButtons_{0};
  std::atomic<std::uint32_t> pressedButtons_{0};
};

}  // namespace korvan::virtual_lcd
