#pragma once

#include <cstdint>

namespace korvan::bench {

// Heap allocations made by this process so far (operator new is counted).
std::uint64_t AllocationCount();

}  // namespace korvan::bench
