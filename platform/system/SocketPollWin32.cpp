#include "platform/system/SocketPoll.h"

#include <winsock2.h>

#include <vector>

namespace korvan {
namespace {

SOCKET ToSocket(SocketHandle socket) {
  return static_cast<SOCKET>(socket);
}

}  // namespace

int PollSockets(std::span<PollEntry> entries, int timeoutMs) {
  std::vector<WSAPOLLFD> polls;
  polls.reserve(entries.size());
  for (const PollEntry& entry : entries) {
    const short in = (entry.wanted & kPollIn) ? POLLIN : 0;
    const short out = (entry.wanted & kPollOut) ? POLLOUT : 0;
    polls.push_back({ToSocket(entry.socket), static_cast<short>(in | out), 0});
  }
  const int ready = WSAPoll(polls.data(), static_cast<ULONG>(polls.size()), timeoutMs);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const short found = ready > 0 ? polls[i].revents : 0;
    entries[i].ready = ((found & POLLIN) ? kPollIn : 0u) | ((found & POLLOUT) ? kPollOut : 0u) |
                       ((found & POLLHUP) ? kPollHangUp : 0u) |
                       ((found & (POLLERR | POLLNVAL)) ? kPollError : 0u);
  }
  return ready == SOCKET_ERROR ? -1 : ready;
}

// A datagram socket connected to its own loopback address: each signal is a
// one-byte datagram, and WSAPoll sees it readable like any socket.
bool PollWake::Open() {
  if (handle_ != kNoSocket) return true;
  const SOCKET socket = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0,
                                   WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
  if (socket == INVALID_SOCKET) return false;
  handle_ = static_cast<SocketHandle>(socket);
  u_long nonBlocking = 1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  sockaddr* generic = reinterpret_cast<sockaddr*>(&address);
  if (ioctlsocket(socket, FIONBIO, &nonBlocking) != 0 || bind(socket, generic, length) != 0 ||
      getsockname(socket, generic, &length) != 0 || connect(socket, generic, length) != 0) {
    Close();
    return false;
  }
  return true;
}

void PollWake::Close() {
  if (handle_ != kNoSocket) closesocket(ToSocket(handle_));
  handle_ = kNoSocket;
}

void PollWake::Signal() {
  const char one = 1;
  send(ToSocket(handle_), &one, 1, 0);
}

bool PollWake::Take() {
  char buffer[64];
  bool woken = false;
  while (recv(ToSocket(handle_), buffer, sizeof buffer, 0) >= 0) woken = true;
  return woken;
}

}  // namespace korvan
