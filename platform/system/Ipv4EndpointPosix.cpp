#include "platform/system/Ipv4Endpoint.h"

#include <arpa/inet.h>

namespace korvan {

std::optional<std::uint32_t> ParseIpv4Address(const char* text) {
  in_addr parsed{};
  // glibc's inet_aton takes the same forms as inet_addr and stops at white
  // space, so "127.0.0.1\n" is accepted and "127.0.0.1x" is not.
  if (text == nullptr || inet_aton(text, &parsed) == 0) return std::nullopt;
  return ntohl(parsed.s_addr);
}

}  // namespace korvan
