#pragma once

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace korvan::testing {

// A frame as text art: one line per row, '#' for a lit pixel (byte > 128), '.' for a dark one.
std::string FrameToArt(const std::uint8_t* pixels, int width, int height, int stride);

// Compares art with tests/golden/<name>.txt, naming the first differing pixel and writing the
// actual frame beside it; KORVAN_UPDATE_GOLDEN=1 rewrites all goldens but reference-* instead.
::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& art);

// Makes the sans faces the screens ask for resolve to Debian's Liberation Sans
// files, whatever else the machine has, so golden frames hold everywhere.
void PinTestFonts();

}  // namespace korvan::testing
