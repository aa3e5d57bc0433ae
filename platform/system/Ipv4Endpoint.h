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

// "a.b.c.d:port", for messages.
inline std::string FormatIpv4Endpoint(const Ipv4Endpoint& endpoint) {
  char text[24];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u:%u", endpoint.address >> 24,
                (endpoint.address >> 16) & 0xFF, (endpoint.address >> 8) & 0xFF,
                endpoint.address & 0xFF, static_cast<unsigned>(endpoint.port));
  return text;
}

}  // namespace korvan
