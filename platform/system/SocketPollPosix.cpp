#include "platform/system/SocketPoll.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace korvan {

int PollSockets(std::span<PollEntry> entries, int timeoutMs) {
  std::vector<pollfd> polls;
  polls.reserve(entries.size());
  for (const PollEntry& entry : entries) {
    const short in = (entry.wanted & kPollIn) ? POLLIN : 0;
    const short out = (entry.wanted & kPollOut) ? POLLOUT : 0;
    polls.push_back({static_cast<int>(entry.socket), static_cast<short>(in | out), 0});
  }
  const int ready = poll(polls.data(), polls.size(), timeoutMs);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const short found = ready > 0 ? polls[i].revents : 0;
    entries[i].ready = ((found & POLLIN) ? kPollIn : 0u) | ((found & POLLOUT) ? kPollOut : 0u) |
                       ((found & POLLHUP) ? kPollHangUp : 0u) |
                       ((found & (POLLERR | POLLNVAL)) ? kPollError : 0u);
  }
  return ready;
}

bool PollWake::Open() {
  if (handle_ == kNoSocket) handle_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  return handle_ >= 0;
}

void PollWake::Close() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  handle_ = kNoSocket;
}

void PollWake::Signal() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(static_cast<int>(handle_), &one, sizeof one);
}

bool PollWake::Take() {
  std::uint64_t count = 0;
  return read(static_cast<int>(handle_), &count, sizeof count) > 0;
}

}  // namespace korvan
