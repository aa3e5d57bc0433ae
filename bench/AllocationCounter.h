#pragma once

#include <cstdint>

namespace korvan::bench {

// Heap allocations made by this process so far (operator new is counted).
std::uint64_t AllocationCount();

// Makes the nth nothrow allocation from now fail, as when memory runs out
// (0: none); answers whether one was refused since the last call.
bool RefuseNothrowAllocation(std::uint64_t nth);

}  // namespace korvan::bench
