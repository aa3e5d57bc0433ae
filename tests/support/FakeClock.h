#pragma once

#include <cstdint>
#include <vector>

#include "platform/system/Clock.h"

namespace korvan::testing {

// A clock that only moves when slept on or advanced, and records the sleeps.
class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::uint32_t start = 0) : now_(start) {}

  std::uint32_t TickCount() override { return now_; }
  void Sleep(std::uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    now_ += milliseconds;
  }
  void Advance(std::uint32_t milliseconds) { now_ += milliseconds; }

  std::vector<std::uint32_t> sleeps;

 private:
  std::uint32_t now_;
};

}  // namespace korvan::testing
