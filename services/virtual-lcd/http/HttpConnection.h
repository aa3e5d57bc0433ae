#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system/StreamSocket.h"
#include "services/virtual-lcd/http/HttpRequest.h"

namespace korvan::virtual_lcd {

using HttpClock = std::chrono::steady_clock;

// One client connection, read and written without blocking from the
// server's loop. It goes through these phases:
//   head    reading the request, for at most kHeadTime after the accept
//   answer  writing the answer, for at most kAnswerTime
//   drain   answer sent and our side shut: reading and dropping what the
//           client still sends until it closes, so unread bytes never
//           reset the answer away before it is read; at most kDrainTime
//   stream  an event stream: events go out while the client keeps up
//   done    to be closed
class HttpConnection {
 public:
  enum class Phase { kHead, kAnswer, kDrain, kStream, kDone };
  static constexpr std::chrono::seconds kHeadTime{2};
  static constexpr std::chrono::seconds kAnswerTime{5};
  static constexpr std::chrono::seconds kDrainTime{1};
  static constexpr std::chrono::milliseconds kGrace{100};
  static constexpr std::size_t kMaxQueued = 64 * 1024;  // a stream further behind is dropped

  // Owns `socket`, a connected non-blocking socket.
  HttpConnection(SocketHandle socket, std::string peer, HttpClock::time_point now,
                 const HttpLimits& limits);
  ~HttpConnection();
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  // Reads what has come. In the head phase: the parse once the request is
  // whole or refused (then it reads no more until answered).
  std::optional<HttpParse> Read();
  // Sends `bytes`; then the connection ends, or stays a stream.
  void Answer(std::string bytes, bool stream, HttpClock::time_point now);
  // Queues one event on a stream; one that has fallen too far behind ends.
  void Send(std::string_view event);
  void Write(HttpClock::time_point now);
  void Expire(HttpClock::time_point now);

  // kPollIn, kPollOut as this phase needs.
  unsigned PollEvents() const;
  bool Reading() const { return phase_ != Phase::kAnswer && phase_ != Phase::kDone; }
  // Waits on its client alone, so it may go when room is needed; but one
  // that has sent nothing yet gets kGrace, as its request may be on the way.
  bool Evictable(HttpClock::time_point now) const {
    return phase_ == Phase::kDrain ||
           (phase_ == Phase::kHead && (!in_.empty() || now - accepted_ >= kGrace));
  }
  HttpClock::time_point Deadline() const { return deadline_; }
  Phase phase() const { return phase_; }
  const std::string& peer() const { return peer_; }
  SocketHandle socket() const { return socket_; }
  HttpClock::time_point accepted() const { return accepted_; }

  // A stream's place, kept by the server: the mark of the last event it
  // was sent (the service's to read) and when it is next due one.
  std::uint64_t mark = 0;
  HttpClock::time_point nextEvent{};

 private:
  bool Drop(std::size_t bytes);

  const SocketHandle socket_;
  const std::string peer_;
  const HttpLimits limits_;
  const HttpClock::time_point accepted_;
  Phase phase_ = Phase::kHead;
  HttpClock::time_point deadline_;
  std::string in_;
  std::string out_;
  std::size_t dropped_ = 0;
};

}  // namespace korvan::virtual_lcd
