#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvan::virtual_lcd {

// The settings' and the fault plan's numbers: decimal, an optional minus
// sign, and nothing else in the text; nothing for anything else or for a
// number beyond 64 bits.
inline std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace korvan::virtual_lcd
