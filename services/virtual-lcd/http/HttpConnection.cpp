#include "services/virtual-lcd/http/HttpConnection.h"

#include "platform/system/SocketPoll.h"

namespace korvan::virtual_lcd {
namespace {

// Reads per readiness: a client sending without pause cannot hold the loop.
constexpr int kReadsPerTurn = 4;
// What a draining or streaming client may still send before it is cut off.
constexpr std::size_t kMaxDropped = 64 * 1024;

}  // namespace

HttpConnection::HttpConnection(SocketHandle socket, std::string peer, HttpClock::time_point now,
                               const HttpLimits& limits)
    : socket_(socket),
      peer_(std::move(peer)),
      limits_(limits),
      accepted_(now),
      deadline_(now + kHeadTime) {}

HttpConnection::~HttpConnection() {
  CloseSocket(socket_);
}

bool HttpConnection::Drop(std::size_t bytes) {
  dropped_ += bytes;
  return dropped_ <= kMaxDropped;
}

std::optional<HttpParse> HttpConnection::Read() {
  char buffer[16 * 1024];
  for (int turn = 0; turn < kReadsPerTurn && Reading(); ++turn) {
    bool wouldBlock = false;
    const long length = ReceiveSome(socket_, buffer, sizeof buffer, wouldBlock);
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

void HttpConnection::Answer(std::string bytes, bool stream, HttpClock::time_point now) {
  out_ = std::move(bytes);
  phase_ = stream ? Phase::kStream : Phase::kAnswer;
  deadline_ = stream ? HttpClock::time_point::max() : now + kAnswerTime;
  Write(now);
}

void HttpConnection::Send(std::string_view event) {
  if (phase_ != Phase::kStream) return;
  if (out_.size() + event.size() > kMaxQueued) {
    phase_ = Phase::kDone;
    return;
  }
  out_ += event;
}

void HttpConnection::Write(HttpClock::time_point now) {
  if (phase_ != Phase::kAnswer && phase_ != Phase::kStream) return;
  std::size_t sent = 0;
  while (sent < out_.size()) {
    bool wouldBlock = false;
    const long length = SendSome(socket_, out_.data() + sent, out_.size() - sent, wouldBlock);
    if (wouldBlock) break;
    if (length <= 0) {
      phase_ = Phase::kDone;
      return;
    }
    sent += static_cast<std::size_t>(length);
  }
  out_.erase(0, sent);
  if (out_.empty() && phase_ == Phase::kAnswer) {
    ShutdownSending(socket_);
    phase_ = Phase::kDrain;
    deadline_ = now + kDrainTime;
  }
}

void HttpConnection::Expire(HttpClock::time_point now) {
  if (now >= deadline_) phase_ = Phase::kDone;
}

unsigned HttpConnection::PollEvents() const {
  return (Reading() ? kPollIn : 0u) | (out_.empty() ? 0u : kPollOut);
}

}  // namespace korvan::virtual_lcd
