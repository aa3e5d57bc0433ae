#include "services/virtual-lcd/ButtonScript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

namespace korvan::virtual_lcd {

std::uint32_t ButtonScript::Read() {
  // Read on every button poll, so kept to one small read without streams.
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one
  // and stop the display cycle.
  const int file = open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (file < 0) return 0;
  struct stat status {};
  if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(file);
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
