#include "services/virtual-lcd/ButtonScript.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/system/HostFiles.h"

namespace korvan::virtual_lcd {

std::uint32_t ButtonScript::Read() {
  // Read on every button poll, so kept to one small read without streams,
  // and never waiting: that would stop the display cycle.
  char text[32];
  std::size_t length = 0;
  const SmallFileRead read = ReadSmallRegularFile(path_, text, sizeof text, length);
  if (read == SmallFileRead::kMissing) return 0;
  if (read == SmallFileRead::kNotRegular) {
    if (!refused_) {
      std::fprintf(stderr,
                   "lcd-virtual: LCD_VIRTUAL_BUTTONS=%s is not a regular file; no buttons are "
                   "read from it\n",
                   path_.c_str());
    }
    refused_ = true;
    return 0;
  }
  refused_ = false;
  std::string_view digits(text, length);
  digits.remove_prefix(std::min(digits.find_first_not_of(" \t\r\n"), digits.size()));
  std::uint32_t mask = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), mask);
  if (error != std::errc()) return 0;
  return mask & 0xFu;
}

}  // namespace korvan::virtual_lcd
