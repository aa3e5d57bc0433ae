#pragma once

#include <cstdint>
#include <string>

namespace korvan::virtual_lcd {

// The soft-button mask written as a decimal number in `path`; 0 when the
// file is missing, unreadable or holds no number. Only bits 0 to 3 count.
std::uint32_t ReadButtonScript(const std::string& path);

}  // namespace korvan::virtual_lcd
