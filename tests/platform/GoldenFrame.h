#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace korvan::testing {

// A frame as text art: one line per row, '#' for a lit pixel (byte > 128),
// '.' for a dark one.
std::string FrameToArt(const std::uint8_t* pixels, int width, int height, int stride);

// Compares art with tests/golden/<name>.txt. On a mismatch the message names
// the first differing pixel and the actual frame is written beside the
// golden as <name>.actual.txt (and .actual.png, scaled up). Running the tests
// with KORVAN_UPDATE_GOLDEN=1 rewrites the goldens instead (all but the
// reference-* ones, which only tools/raster-reference writes): review the diff.
::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& art);

}  // namespace korvan::testing
