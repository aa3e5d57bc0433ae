#include "platform/system/Ipv4Endpoint.h"

#include <cctype>

namespace korvan {
namespace {

// One part of a dotted address, written as in C: 0x… hexadecimal, 0…
// octal, otherwise decimal. Stops at the first character that is not a
// digit of the part's base, as strtoul does.
bool ParsePart(const char*& text, std::uint64_t& value) {
  if (std::isdigit(static_cast<unsigned char>(*text)) == 0) return false;
  unsigned base = 10;
  if (text[0] == '0') {
    base = 8;
    if ((text[1] == 'x' || text[1] == 'X') && std::isxdigit(static_cast<unsigned char>(text[2]))) {
      base = 16;
      text += 2;
    }
  }
  value = 0;
  for (;; ++text) {
    const auto c = static_cast<unsigned char>(*text);
    unsigned digit = 0;
    if (std::isdigit(c) != 0) {
      digit = c - '0';
    } else if (base == 16 && std::isxdigit(c) != 0) {
      digit = static_cast<unsigned>(std::tolower(c) - 'a' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    value = value * base + digit;
    if (value > 0xFFFFFFFFu) return false;
  }
  return true;
}

}  // namespace

// Winsock's inet_addr cannot tell 255.255.255.255 from a failure and
// inet_pton takes only four decimal parts, so the forms glibc's inet_aton
// takes are read here: one to four parts, the last filling the bytes left,
// and the text may go on only after white space.
std::optional<std::uint32_t> ParseIpv4Address(const char* text) {
  if (text == nullptr) return std::nullopt;
  static constexpr std::uint64_t kLastPartMax[4] = {0xFFFFFFFFu, 0xFFFFFFu, 0xFFFFu, 0xFFu};
  std::uint32_t leading = 0;
  int parts = 0;
  std::uint64_t value = 0;
  for (;;) {
    if (!ParsePart(text, value)) return std::nullopt;
    if (*text != '.') break;
    if (parts == 3 || value > 0xFF) return std::nullopt;
    leading |= static_cast<std::uint32_t>(value) << (24 - 8 * parts);
    ++parts;
    ++text;
  }
  const auto end = static_cast<unsigned char>(*text);
  if (end != '\0' && (end > 0x7F || std::isspace(end) == 0)) return std::nullopt;
  if (value > kLastPartMax[parts]) return std::nullopt;
  return leading | static_cast<std::uint32_t>(value);
}

}  // namespace korvan
