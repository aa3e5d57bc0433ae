#include <winsock2.h>
#include <ws2tcpip.h>
// After the Winsock headers, which it needs.
#include <iphlpapi.h>

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

// GetAdaptersAddresses says how large a buffer it needs; the list can grow
// between two calls, so it is asked a few times.
std::vector<IpAddress> InterfaceAddresses() {
  std::vector<IpAddress> found;
  constexpr ULONG kFlags =
      GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  ULONG size = 16 * 1024;
  std::vector<unsigned char> buffer;
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
    buffer.resize(size);
    result = GetAdaptersAddresses(AF_UNSPEC, kFlags, nullptr,
                                  reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  if (result != NO_ERROR) return found;
  for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
       adapter != nullptr; adapter = adapter->Next) {
    if (adapter->OperStatus != IfOperStatusUp) continue;
    for (auto* unicast = adapter->FirstUnicastAddress; unicast != nullptr;
         unicast = unicast->Next) {
      IpAddress address;
      int port = 0;
      if (FromSystemAddress(unicast->Address.lpSockaddr, address, port)) found.push_back(address);
    }
  }
  return found;
}

}  // namespace korvan
