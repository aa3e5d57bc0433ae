#pragma once

#include <cstdint>
#include <vector>

#include "platform/images/ImageDecoding.h"

namespace korvan {

// The source pixels one destination pixel of an axis stands for.
struct StretchRun {
  int first = 0;
  int count = 1;
};

// One axis of the stretch the desktop loader applies to an icon entry of
// another size (a plain stretch in the default BLACKONWHITE mode), matched
// pixel for pixel against it. Each pixel is placed by its centre, a centre on
// a pixel boundary going to the lower pixel: enlarging, destination pixel d
// takes the source pixel under its centre,
// floor(((2d + 1) * sourceLength - 1) / (2 * length)); shrinking, source
// pixel s goes to the destination pixel under its centre (the same formula
// the other way round) and each destination pixel merges the ones it gets.
// Both lengths must be positive.
std::vector<StretchRun> StretchRuns(int sourceLength, int length);

// Stretches a picture to width x height. Merged pixels combine as that
// stretch mode does, keeping black: colour channels are ANDed bit by bit,
// and the most opaque alpha is kept, as the AND mask keeps any opaque pixel.
RgbaImage StretchPicture(const RgbaImage& source, int width, int height);

// Stretches an AND mask (non-zero transparent, one byte per pixel, top row
// first) the same way: transparent only where every merged pixel is.
std::vector<std::uint8_t> StretchMask(const std::vector<std::uint8_t>& mask, int sourceWidth,
                                      int sourceHeight, int width, int height);

}  // namespace korvan
