#pragma once

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "services/virtual-lcd/frames/FrameBoard.h"
#include "services/virtual-lcd/frames/FrameRecorder.h"
#include "services/virtual-lcd/frames/TerminalView.h"

namespace korvan::virtual_lcd {

// Records frames and draws them on the terminal on a thread of its own, so
// that a push costs the program only a copy into a queue. A queue that is
// full (a stalled disk or terminal) drops frames and counts them.
class FrameWorker {
 public:
  static constexpr std::size_t kQueueFrames = 64;

  FrameWorker(std::optional<FrameRecorder> recorder, std::optional<TerminalView> view,
              std::FILE* terminal);
  ~FrameWorker();
  FrameWorker(const FrameWorker&) = delete;
  FrameWorker& operator=(const FrameWorker&) = delete;

  void Enqueue(const std::uint8_t* pixels);
  // Handles every queued frame, then ends the thread.
  void Finish();
  std::uint64_t Dropped() const { return dropped_; }

 private:
  void Run();

  std::optional<FrameRecorder> recorder_;
  std::optional<TerminalView> view_;
  std::FILE* terminal_;
  std::mutex mutex_;
  std::condition_variable queued_;
  std::vector<Pixels> ring_;
  std::size_t head_ = 0;
  std::size_t count_ = 0;
  bool finishing_ = false;
  std::uint64_t dropped_ = 0;
  std::thread thread_;
};

}  // namespace korvan::virtual_lcd
