#include "platform/system/NetworkAddresses.h"

#include <algorithm>

namespace korvan {
namespace {

constexpr std::array<std::uint8_t, 12> kV4MappedPrefix = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};

bool IsV4Mapped(const IpAddress& address) {
  return address.family == IpFamily::kV6 &&
         std::equal(kV4MappedPrefix.begin(), kV4MappedPrefix.end(), address.bytes.begin());
}

bool IsLinkLocal(const IpAddress& address) {
  if (address.family == IpFamily::kV4) return address.bytes[0] == 169 && address.bytes[1] == 254;
  return address.bytes[0] == 0xFE && (address.bytes[1] & 0xC0) == 0x80;
}

}  // namespace

bool IsLoopback(const IpAddress& address) {
  if (address.family == IpFamily::kV4) return address.bytes[0] == 127;
  if (IsV4Mapped(address)) return address.bytes[12] == 127;
  return std::all_of(address.bytes.begin(), address.bytes.end() - 1,
                     [](auto b) { return b == 0; }) &&
         address.bytes[15] == 1;
}

bool IsUnspecified(const IpAddress& address) {
  const auto end = address.bytes.begin() + (address.family == IpFamily::kV4 ? 4 : 16);
  return std::all_of(address.bytes.begin(), end, [](auto b) { return b == 0; });
}

bool IsReachableFromElsewhere(const IpAddress& address) {
  return !IsLoopback(address) && !IsLinkLocal(address) && !IsUnspecified(address);
}

std::vector<IpAddress> ReachableAddresses() {
  std::vector<IpAddress> reachable = InterfaceAddresses();
  std::erase_if(reachable, [](const IpAddress& a) { return !IsReachableFromElsewhere(a); });
  return reachable;
}

}  // namespace korvan
