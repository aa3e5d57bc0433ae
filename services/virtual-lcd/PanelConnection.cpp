#include "services/virtual-lcd/PanelConnection.h"

namespace korvan::virtual_lcd {
namespace {

// Reads per readiness: a client sending without pause cannot hold the loop.
constexpr int kReadsPerTurn = 4;
// What a draining or streaming client may still send before it is cut off.
constexpr std::size_t kMaxDropped = 64 * 1024;

}  // namespace

PanelConnection::PanelConnection(SocketHandle fd, std::string peer, PanelClock::time_point now,
                                 const HttpLimits& limits)
    : fd_(fd),
      peer_(std::move(peer)),
      limits_(limits),
      accepted_(now),
      deadline_(now + kHeadTime) {}

PanelConnection::~PanelConnection() {
  CloseSocket(fd_);
}

bool PanelConnection::Drop(std::size_t bytes) {
  dropped_ += bytes;
  return dropped_ <= kMaxDropped;
}

std::optional<HttpParse> PanelConnection::Read() {
  char buffer[16 * 1024];
  for (int turn = 0; turn < kReadsPerTurn && Reading(); ++turn) {
    bool wouldBlock = false;
    const long length = ReceiveSome(fd_, buffer, sizeof buffer, wouldBlock);
    if (wouldBlock) break;
    if (length <= 0) {
      phase_ = Phase::kDone;
      break;
    }
    const auto size = static_cast<std::size_t>(length);
    if (phase_ != Phase::kHead) {
      if (!Drop(size)) phase_ = Phase::kDone;
      continue;
    }
    in_.append(buffer, size);
    HttpParse parse = ParseHttpRequest(in_, limits_);
    if (parse.state != HttpParse::State::kIncomplete) {
      in_.clear();
      phase_ = Phase::kAnswer;  // nothing more is read until answered
      return parse;
    }
  }
  return std::nullopt;
}

void PanelConnection::Answer(std::string bytes, bool stream, PanelClock::time_point now) {
  out_ = std::move(bytes);
  phase_ = stream ? Phase::kStream : Phase::kAnswer;
  deadline_ = stream ? PanelClock::time_point::max() : now + kAnswerTime;
  Write(now);
}

void PanelConnection::Send(std::string_view event) {
  if (phase_ != Phase::kStream) return;
  if (out_.size() + event.size() > kMaxQueued) {
    phase_ = Phase::kDone;
    return;
  }
  out_ += event;
}

void PanelConnection::Write(PanelClock::time_point now) {
  if (phase_ != Phase::kAnswer && phase_ != Phase::kStream) return;
  std::size_t sent = 0;
  while (sent < out_.size()) {
    bool wouldBlock = false;
    const long length = SendSome(fd_, out_.data() + sent, out_.size() - sent, wouldBlock);
    if (wouldBlock) break;
    if (length <= 0) {
      phase_ = Phase::kDone;
      return;
    }
    sent += static_cast<std::size_t>(length);
  }
  out_.erase(0, sent);
  if (out_.empty() && phase_ == Phase::kAnswer) {
    ShutdownSending(fd_);
    phase_ = Phase::kDrain;
    deadline_ = now + kDrainTime;
  }
}

void PanelConnection::Expire(PanelClock::time_point now) {
  if (now >= deadline_) phase_ = Phase::kDone;
}

short PanelConnection::PollEvents() const {
  const short in = Reading() ? POLLIN : 0;
  return static_cast<short>(in | (out_.empty() ? 0 : POLLOUT));
}

}  // namespace korvan::virtual_lcd
