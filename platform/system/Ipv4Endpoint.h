#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

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

// "a.b.c.d", for messages.
inline std::string FormatIpv4Address(std::uint32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF,
                (address >> 8) & 0xFF, address & 0xFF);
  return text;
}

// "a.b.c.d:port", for messages.
inline std::string FormatIpv4Endpoint(const Ipv4Endpoint& endpoint) {
  return FormatIpv4Address(endpoint.address) + ":" + std::to_string(endpoint.port);
}

}  // namespace korvan
