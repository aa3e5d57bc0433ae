#include "bench/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::uint64_t> allocations{0};
std::atomic<std::uint64_t> untilRefusal{0};
std::atomic<bool> refused{false};
}  // namespace

std::uint64_t korvan::bench::AllocationCount() {
  return allocations.load();
}

bool korvan::bench::RefuseNothrowAllocation(std::uint64_t nth) {
  untilRefusal.store(nth);
  return refused.exchange(false);
}

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// The nothrow form too: the item fonts use it, and left to the runtime it
// would pair a sanitizer's allocation with the free below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (untilRefusal.load() != 0 && untilRefusal.fetch_sub(1) == 1) {
    refused.store(true);
    return nullptr;
  }
  return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
