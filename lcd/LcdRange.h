#pragma once

#include <cstdint>

namespace korvan {

// The values that map to the two ends of a progress bar. No order is
// enforced.
struct LcdRange {
  std::int32_t min = 0;
  std::int32_t max = 100;
};

}  // namespace korvan
