#include "services/virtual-lcd/ButtonScript.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <string_view>

namespace korvan::virtual_lcd {

std::uint32_t ReadButtonScript(const std::string& path) {
  // Read on every button poll, so kept to one small read without streams.
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return 0;
  char text[32];
  const ssize_t length = read(file, text, sizeof text);
  close(file);
  if (length <= 0) return 0;
  std::string_view digits(text, static_cast<std::size_t>(length));
  digits.remove_prefix(std::min(digits.find_first_not_of(" \t\r\n"), digits.size()));
  std::uint32_t mask = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), mask);
  if (error != std::errc()) return 0;
  return mask & 0xFu;
}

}  // namespace korvan::virtual_lcd
