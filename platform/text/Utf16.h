#pragma once

#include <cstddef>
#include <string>
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

// The text as UTF-8, for the libraries that take names that way; a lone
// surrogate becomes U+FFFD, as it draws.
inline std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const char32_t c = NextCodePoint(text, i);
    const int continuations = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLead[continuations] | (c >> (6 * continuations)));
    for (int k = continuations - 1; k >= 0; --k)
      out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }
  return out;
}

}  // namespace korvan
