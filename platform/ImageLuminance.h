#pragma once

#include <cstdint>

#include "platform/Color.h"

namespace korvan {

// Picture pixels become black or white by their luminance (Rec. 601
// weights): 128 and above is white. Alpha below 128 counts as transparent.
inline constexpr unsigned kLuminanceThreshold = 128;
inline constexpr unsigned kAlphaThreshold = 128;

inline constexpr std::uint8_t MonochromeOf(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const unsigned luminance = (299u * r + 587u * g + 114u * b + 500u) / 1000u;
  return luminance >= kLuminanceThreshold ? kWhitePixel : kBlackPixel;
}

inline constexpr bool IsTransparentAlpha(std::uint8_t alpha) {
  return alpha < kAlphaThreshold;
}

}  // namespace korvan
