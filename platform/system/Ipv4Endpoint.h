#pragma once

#include <cstdint>
#include <optional>

namespace korvan {

// An IPv4 address and UDP port, both in host byte order.
struct Ipv4Endpoint {
  std::uint32_t address = 0;
  std::uint16_t port = 0;

  friend bool operator==(const Ipv4Endpoint&, const Ipv4Endpoint&) = default;
};

// Reads a dotted IPv4 address the way the classic inet_addr does, accepting
// trailing white space (the configuration keeps the line end of its line).
// Returns nothing when the text is not an address.
std::optional<std::uint32_t> ParseIpv4Address(const char* text);

}  // namespace korvan
