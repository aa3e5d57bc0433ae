#pragma once

#include <cstddef>

namespace korvan {

// Fills `size` bytes from the system's cryptographic random source; false
// when it cannot.
bool FillRandom(unsigned char* bytes, std::size_t size);

}  // namespace korvan
