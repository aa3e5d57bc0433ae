#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/system/SocketPoll.h"
#include "services/virtual-lcd/http/HttpAnswer.h"
#include "services/virtual-lcd/http/HttpConnection.h"

namespace korvan::virtual_lcd {

// What the server serves; called on the server's thread.
class HttpService {
 public:
  virtual ~HttpService() = default;
  // The answer to a whole request; `streamFree`: a stream may be opened.
  // A HEAD request comes as its GET, and the body is left out when sent.
  virtual HttpAnswer Answer(const HttpRequest& request, bool streamFree) = 0;
  // A stream's next event; `mark` is the one its last event left (0 for a
  // new stream) and is moved on.
  virtual std::string Event(std::uint64_t& mark) = 0;
};

// A small HTTP/1.1 server: one thread polls every connection without
// blocking, so a client that sends slowly or not at all holds no thread.
// Connections are capped in all and per client address; when one more
// comes, the oldest of those still waiting on their client makes room, so
// idle connections never keep a fresh client out. A wake-up sends every
// stream an event at once; otherwise each gets one every half second.
class HttpServer {
 public:
  static constexpr int kMaxStreams = 4;
  static constexpr std::size_t kMaxConnections = 64;
  static constexpr std::size_t kMaxPerClient = 16;
  using Now = std::function<HttpClock::time_point()>;

  explicit HttpServer(HttpService& service, Now now = HttpClock::now);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Serves `listener`, a non-blocking listening socket it owns from now
  // on, on a thread of its own; false (the listener closed) when the
  // wake-up cannot be made.
  bool Start(SocketHandle listener);
  void Stop();
  // Any thread: every stream is due an event.
  void Wake();

  // What a test reads to see the loop idle: the times its poll returned;
  // as of its last whole turn, the connections accepted so far (read this
  // first) and those it still held.
  std::uint64_t Turns() const { return turns_.load(); }
  std::uint64_t Accepted() const { return acceptedSeen_.load(); }
  std::size_t Connections() const { return held_.load(); }

 private:
  void Serve();
  void Turn(std::vector<PollEntry>& polls);
  void AcceptAll(HttpClock::time_point now);
  bool MakeRoom(const std::string& peer, HttpClock::time_point now);
  void Take(HttpConnection& connection, HttpClock::time_point now);
  void SendEvents(HttpClock::time_point now, bool woken);
  int PollTimeout(HttpClock::time_point now) const;
  int Streams() const;

  HttpService& service_;
  const Now now_;
  const HttpLimits limits_;
  SocketHandle listener_ = kNoSocket;
  PollWake wake_;  // a wake-up, or the stop
  HttpClock::time_point acceptPause_{};
  std::atomic<bool> stopping_{false};
  std::atomic<std::uint64_t> turns_{0};
  std::uint64_t accepted_ = 0;
  std::atomic<std::uint64_t> acceptedSeen_{0};
  std::atomic<std::size_t> held_{0};
  std::vector<std::unique_ptr<HttpConnection>> connections_;
  std::thread thread_;
};

}  // namespace korvan::virtual_lcd
