#include "services/virtual-lcd/PanelNet.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace korvan::virtual_lcd {
namespace {

bool WouldBlock() {
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

}  // namespace

bool StartSockets() {
  return true;
}

void StopSockets() {}

SocketHandle OpenSocket(int family, int type, int protocol) {
  return socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
}

void PrepareListener(SocketHandle socket) {
  const int yes = 1;  // POSIX refuses a port another socket listens on anyway
  setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

void CloseSocket(SocketHandle socket) {
  if (socket >= 0) close(socket);
}

AcceptResult AcceptOne(SocketHandle listener, sockaddr_storage& peer, SocketHandle& accepted) {
  socklen_t length = sizeof peer;
  accepted =
      accept4(listener, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (accepted >= 0) return AcceptResult::kAccepted;
  if (errno == ECONNABORTED || errno == EINTR) return AcceptResult::kRetry;
  if (errno == EAGAIN || errno == EWOULDBLOCK) return AcceptResult::kNoneWaiting;
  return AcceptResult::kFailed;
}

long ReceiveSome(SocketHandle socket, char* buffer, std::size_t size, bool& wouldBlock) {
  const ssize_t length = recv(socket, buffer, size, 0);
  wouldBlock = length < 0 && WouldBlock();
  return length;
}

long SendSome(SocketHandle socket, const char* bytes, std::size_t size, bool& wouldBlock) {
  const ssize_t length = send(socket, bytes, size, MSG_NOSIGNAL);
  wouldBlock = length < 0 && WouldBlock();
  return length;
}

void ShutdownSending(SocketHandle socket) {
  shutdown(socket, SHUT_WR);
}

int PollSockets(PollEntry* entries, std::size_t count, int timeoutMs) {
  return poll(entries, count, timeoutMs);
}

bool PanelWake::Open() {
  handle_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  return handle_ >= 0;
}

void PanelWake::Close() {
  CloseSocket(handle_);
  handle_ = kNoSocket;
}

void PanelWake::Signal() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(handle_, &one, sizeof one);
}

bool PanelWake::Take() {
  std::uint64_t count = 0;
  return read(handle_, &count, sizeof count) > 0;
}

}  // namespace korvan::virtual_lcd
