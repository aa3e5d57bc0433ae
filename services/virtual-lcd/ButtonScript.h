#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace korvan::virtual_lcd {

// The soft buttons held in a file, as a decimal mask, read at every button
// poll on the program's thread.
class ButtonScript {
 public:
  explicit ButtonScript(std::string path) : path_(std::move(path)) {}

  // The mask in the file now; 0 when the file is missing, unreadable, holds
  // no number or is not a regular file. Only bits 0 to 3 count. Never waits:
  // a FIFO or a device there is refused, said once on standard error.
  std::uint32_t Read();

 private:
  std::string path_;
  bool refused_ = false;  // said; said again only after a regular file was read
};

}  // namespace korvan::virtual_lcd
