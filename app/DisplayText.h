#pragma once

#include <array>
#include <string_view>

namespace korvan {

// A short zero-terminated UTF-16 text as the LCD items take it. Fixed size,
// so formatting numbers in every cycle allocates nothing.
struct DisplayText {
  static constexpr std::size_t kCapacity = 15;  // characters before the terminator
  std::array<char16_t, kCapacity + 1> chars{};

  const char16_t* c_str() const { return chars.data(); }
  std::u16string_view view() const { return chars.data(); }
};

// Widens 8-bit text character by character; bytes above 127 are taken as
// Latin-1 so they show as the accented letters they most likely are.
DisplayText WidenText(std::string_view text);

}  // namespace korvan
