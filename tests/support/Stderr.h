#pragma once

#include <gtest/gtest.h>

#include <string>

namespace korvan::testing {

// What `run` writes to standard error.
template <typename Run>
std::string StderrOf(Run run) {
  ::testing::internal::CaptureStderr();
  run();
  return ::testing::internal::GetCapturedStderr();
}

}  // namespace korvan::testing
