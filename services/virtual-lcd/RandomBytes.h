#pragma once

#include <cstddef>

namespace korvan::virtual_lcd {

// Fills `size` bytes from the system's cryptographic random source; false
// when it cannot.
bool FillRandom(unsigned char* bytes, std::size_t size);

}  // namespace korvan::virtual_lcd
