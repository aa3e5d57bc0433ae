#include "services/virtual-lcd/frames/FrameWorker.h"

#include <cstring>
#include <utility>

#include "platform/system/QuietThread.h"

namespace korvan::virtual_lcd {

FrameWorker::FrameWorker(std::optional<FrameRecorder> recorder, std::optional<TerminalView> view,
                         std::FILE* terminal)
    : recorder_(std::move(recorder)),
      view_(std::move(view)),
      terminal_(terminal),
      ring_(kQueueFrames),
      thread_(StartQuietThread([this] { Run(); })) {}

FrameWorker::~FrameWorker() {
  Finish();
}

void FrameWorker::Enqueue(const std::uint8_t* pixels) {
  {
    std::lock_guard lock(mutex_);
    if (count_ == ring_.size()) {
      ++dropped_;
      return;
    }
    std::memcpy(ring_[(head_ + count_) % ring_.size()].data(), pixels, ring_[0].size());
    ++count_;
  }
  queued_.notify_one();
}

void FrameWorker::Finish() {
  {
    std::lock_guard lock(mutex_);
    finishing_ = true;
  }
  queued_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void FrameWorker::Run() {
  Pixels frame;
  while (true) {
    {
      std::unique_lock lock(mutex_);
      queued_.wait(lock, [&] { return count_ > 0 || finishing_; });
      if (count_ == 0) return;
      frame = ring_[head_];
      head_ = (head_ + 1) % ring_.size();
      --count_;
    }
    if (recorder_) recorder_->Record(frame.data());
    if (view_) {
      if (const auto text = view_->Draw(frame.data())) {
        std::fwrite(text->data(), 1, text->size(), terminal_);
        std::fflush(terminal_);
      }
    }
  }
}

}  // namespace korvan::virtual_lcd
