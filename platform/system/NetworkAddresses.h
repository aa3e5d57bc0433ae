#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvan {

enum class IpFamily { kV4, kV6 };

// An IPv4 or IPv6 address, its bytes in network order (IPv4 in the first
// four).
struct IpAddress {
  IpFamily family = IpFamily::kV4;
  std::array<std::uint8_t, 16> bytes{};

  bool operator==(const IpAddress&) const = default;
};

// 127/8, ::1, and 127/8 mapped into IPv6: only this machine reaches it.
bool IsLoopback(const IpAddress& address);
// 0.0.0.0 or ::, which a listener binds to take every address of the machine.
bool IsUnspecified(const IpAddress& address);

// The address in its usual text (dotted quad; IPv6 without brackets).
std::string IpText(const IpAddress& address);
// An address literal of that family in its usual text: four decimal parts,
// or the IPv6 forms (no brackets, no zone); nothing for anything else.
std::optional<IpAddress> ParseIpLiteral(std::string_view text, IpFamily family);

// Whether another machine on the network can open a URL by it: neither
// loopback, nor unspecified, nor link-local (169.254/16, fe80::/10).
bool IsReachableFromElsewhere(const IpAddress& address);

// The addresses of this machine's network interfaces that are up.
std::vector<IpAddress> InterfaceAddresses();
// Those of them another machine can open a URL by.
std::vector<IpAddress> ReachableAddresses();

}  // namespace korvan
