#include "services/virtual-lcd/PanelSocket.h"

namespace korvan::virtual_lcd {
namespace {

bool IsLoopback(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
    return (ntohl(v4.sin_addr.s_addr) >> 24) == 127;
  }
  const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address).sin6_addr;
  return address.ss_family == AF_INET6 &&
         (IN6_IS_ADDR_LOOPBACK(&v6) || (IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127));
}

PanelListener Bind(const addrinfo& candidate) {
  PanelListener listener;
  const SocketHandle fd =
      OpenSocket(candidate.ai_family, candidate.ai_socktype, candidate.ai_protocol);
  if (fd == kNoSocket) return listener;
  PrepareListener(fd);
  sockaddr_storage bound{};
  socklen_t length = sizeof bound;
  if (bind(fd, candidate.ai_addr, static_cast<socklen_t>(candidate.ai_addrlen)) != 0 ||
      listen(fd, SOMAXCONN) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
    CloseSocket(fd);
    return listener;
  }
  listener.fd = fd;
  listener.port =
      ntohs(bound.ss_family == AF_INET ? reinterpret_cast<const sockaddr_in&>(bound).sin_port
                                       : reinterpret_cast<const sockaddr_in6&>(bound).sin6_port);
  listener.loopback = IsLoopback(bound);
  return listener;
}

}  // namespace

PanelListener ListenOn(const PanelAddress& address) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(address.port);
  if (getaddrinfo(address.host.c_str(), port.c_str(), &hints, &found) != 0) return {};
  PanelListener listener;
  for (const addrinfo* at = found; at != nullptr && listener.fd == kNoSocket; at = at->ai_next) {
    listener = Bind(*at);
  }
  freeaddrinfo(found);
  return listener;
}

std::string PeerName(const sockaddr_storage& address) {
  char text[INET6_ADDRSTRLEN] = "?";
  const void* bytes =
      address.ss_family == AF_INET
          ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in&>(address).sin_addr)
          : &reinterpret_cast<const sockaddr_in6&>(address).sin6_addr;
  if (address.ss_family == AF_INET || address.ss_family == AF_INET6)
    inet_ntop(address.ss_family, bytes, text, sizeof text);
  return text;
}

}  // namespace korvan::virtual_lcd
