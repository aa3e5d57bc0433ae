#include "platform/system/StreamSocket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/system/SystemAddress.h"

namespace korvan {
namespace {

bool WouldBlock() {
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

int Descriptor(SocketHandle socket) {
  return static_cast<int>(socket);
}

bool OnlyIpv6(int socket) {
  int only = 0;
  socklen_t length = sizeof only;
  return getsockopt(socket, IPPROTO_IPV6, IPV6_V6ONLY, &only, &length) == 0 && only != 0;
}

}  // namespace

StreamListener ListenOnResolved(const addrinfo& candidate) {
  const int fd = socket(candidate.ai_family, candidate.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                        candidate.ai_protocol);
  if (fd < 0) return {};
  const int yes = 1;  // POSIX refuses a port another socket listens on anyway
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  StreamListener listener;
  sockaddr_storage bound{};
  socklen_t length = sizeof bound;
  if (bind(fd, candidate.ai_addr, candidate.ai_addrlen) != 0 || listen(fd, SOMAXCONN) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length) != 0 ||
      !FromSystemAddress(reinterpret_cast<const sockaddr*>(&bound), listener.address,
                         listener.port)) {
    close(fd);
    return {};
  }
  listener.socket = fd;
  listener.takesIpv4 = listener.address.family == IpFamily::kV4 || !OnlyIpv6(fd);
  return listener;
}

AcceptResult AcceptOne(SocketHandle listener, SocketHandle& accepted, IpAddress& peer) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  const int fd = accept4(Descriptor(listener), reinterpret_cast<sockaddr*>(&address), &length,
                         SOCK_NONBLOCK | SOCK_CLOEXEC);
  accepted = fd < 0 ? kNoSocket : fd;
  if (fd >= 0) {
    int port = 0;
    FromSystemAddress(reinterpret_cast<const sockaddr*>(&address), peer, port);
    return AcceptResult::kAccepted;
  }
  if (errno == ECONNABORTED || errno == EINTR) return AcceptResult::kRetry;
  if (errno == EAGAIN || errno == EWOULDBLOCK) return AcceptResult::kNoneWaiting;
  return AcceptResult::kFailed;
}

long ReceiveSome(SocketHandle socket, char* buffer, std::size_t size, bool& wouldBlock) {
  const ssize_t length = recv(Descriptor(socket), buffer, size, 0);
  wouldBlock = length < 0 && WouldBlock();
  return length;
}

long SendSome(SocketHandle socket, const char* bytes, std::size_t size, bool& wouldBlock) {
  const ssize_t length = send(Descriptor(socket), bytes, size, MSG_NOSIGNAL);
  wouldBlock = length < 0 && WouldBlock();
  return length;
}

void ShutdownSending(SocketHandle socket) {
  shutdown(Descriptor(socket), SHUT_WR);
}

void CloseSocket(SocketHandle socket) {
  if (socket >= 0) close(Descriptor(socket));
}

}  // namespace korvan
