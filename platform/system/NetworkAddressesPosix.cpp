#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstring>

#include "platform/system/NetworkAddresses.h"
#include "platform/system/SystemAddress.h"

namespace korvan {
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

std::vector<IpAddress> InterfaceAddresses() {
  std::vector<IpAddress> found;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return found;
  for (const ifaddrs* at = list; at != nullptr; at = at->ifa_next) {
    IpAddress address;
    int port = 0;
    if ((at->ifa_flags & IFF_UP) && FromSystemAddress(at->ifa_addr, address, port))
      found.push_back(address);
  }
  freeifaddrs(list);
  return found;
}

}  // namespace korvan
