#pragma once

#include <span>

#include "platform/system/StreamSocket.h"

namespace korvan {

// What a poll waits for and what it found, as flags of our own. A hang-up
// or an error is reported whether asked for or not.
enum PollFlag : unsigned { kPollIn = 1, kPollOut = 2, kPollHangUp = 4, kPollError = 8 };

struct PollEntry {
  SocketHandle socket = kNoSocket;
  unsigned wanted = 0;  // kPollIn, kPollOut; none: only hang-ups and errors
  unsigned ready = 0;   // set by PollSockets
};

// Waits up to `timeoutMs` (-1: without end) until one of the sockets is
// ready: the number ready, or -1 on failure.
int PollSockets(std::span<PollEntry> entries, int timeoutMs);

// What wakes a poll from another thread: a handle that polls readable once
// signalled (an eventfd on Linux; a loopback datagram socket sending to
// itself on Windows).
class PollWake {
 public:
  PollWake() = default;
  ~PollWake() { Close(); }
  PollWake(const PollWake&) = delete;
  PollWake& operator=(const PollWake&) = delete;

  bool Open();
  void Close();
  SocketHandle handle() const { return handle_; }
  // Any thread.
  void Signal();
  // The polling thread: true when signalled since the last call.
  bool Take();

 private:
  SocketHandle handle_ = kNoSocket;
};

}  // namespace korvan
