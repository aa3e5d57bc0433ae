#pragma once

// What the image decoders share: the RGBA form they decode to, the bounds
// they enforce and the rule that makes pixels black or white.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/pixels/Color.h"

namespace korvan {

// The decoders' common intermediate form: 8-bit R, G, B, A per pixel, top
// row first, no padding. Formats without alpha store 255.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  const std::uint8_t* PixelAt(int x, int y) const {
    return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                          static_cast<std::size_t>(x)) *
                             4;
  }
};

// Bounds on what the image decoders accept, so a hostile file can neither
// make them allocate without limit nor run for long. Real icons and bitmaps
// for a 160 x 43 display are far below all of them.
inline constexpr int kMaxImageSide = 1024;                          // pixels, each direction
inline constexpr std::size_t kMaxImageFileBytes = 4 * 1024 * 1024;  // whole file
inline constexpr int kMaxIconEntries = 64;                          // ICONDIR entries looked at

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
