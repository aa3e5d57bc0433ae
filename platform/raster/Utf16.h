#pragma once

#include <cstddef>
#include <string_view>

namespace korvan {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at `index` and moves `index` past it. A surrogate
// pair gives one code point; a lone surrogate gives U+FFFD, so broken text
// still draws something visible and never reads past the end.
inline char32_t NextCodePoint(std::u16string_view text, std::size_t& index) {
  const char16_t unit = text[index++];
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit <= 0xDBFF && index < text.size()) {
    const char16_t low = text[index];
    if (low >= 0xDC00 && low <= 0xDFFF) {
      ++index;
      return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return kReplacementCharacter;
}

}  // namespace korvan
