#include "platform/system/SystemAddress.h"

// The system's socket headers, chosen by the build (SystemSocketsPosix.h or
// SystemSocketsWin32.h): the socket address structures are the same on both.
#include KORVAN_SYSTEM_SOCKETS

#include <cstring>

namespace korvan {

sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(endpoint.address);
  address.sin_port = htons(endpoint.port);
  return address;
}

Ipv4Endpoint FromSockaddr(const sockaddr_in& address) {
  return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

namespace {

int SystemFamily(IpFamily family) {
  return family == IpFamily::kV4 ? AF_INET : AF_INET6;
}

}  // namespace

bool FromSystemAddress(const sockaddr* address, IpAddress& ip, int& port) {
  if (address == nullptr) return false;
  if (address->sa_family == AF_INET) {
    const auto* v4 = reinterpret_cast<const sockaddr_in*>(address);
    ip = {IpFamily::kV4, {}};
    std::memcpy(ip.bytes.data(), &v4->sin_addr, 4);
    port = ntohs(v4->sin_port);
    return true;
  }
  if (address->sa_family != AF_INET6) return false;
  const auto* v6 = reinterpret_cast<const sockaddr_in6*>(address);
  ip = {IpFamily::kV6, {}};
  std::memcpy(ip.bytes.data(), &v6->sin6_addr, 16);
  port = ntohs(v6->sin6_port);
  return true;
}

std::string IpText(const IpAddress& address) {
  char text[INET6_ADDRSTRLEN] = "?";
  inet_ntop(SystemFamily(address.family), address.bytes.data(), text, sizeof text);
  return text;
}

std::optional<IpAddress> ParseIpLiteral(std::string_view text, IpFamily family) {
  IpAddress address{family, {}};
  // The system reads up to a NUL, which the text may hold.
  if (text.size() >= INET6_ADDRSTRLEN || text.find('\0') != std::string_view::npos ||
      inet_pton(SystemFamily(family), std::string(text).c_str(), address.bytes.data()) != 1)
    return std::nullopt;
  return address;
}

}  // namespace korvan
