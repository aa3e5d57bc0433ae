#pragma once

#include <cmath>
#include <cstdint>

namespace korvan {

// The whole pixels of a distance earned in floats, truncated toward zero and
// saturated: converting a float beyond int's range is undefined.
inline int WholePixels(float distance) {
  const float whole = std::trunc(distance);
  if (!(whole < 2147483648.0F)) return INT32_MAX;
  if (!(whole >= -2147483648.0F)) return INT32_MIN;
  return static_cast<int>(whole);
}

}  // namespace korvan
