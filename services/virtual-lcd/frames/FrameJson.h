#pragma once

#include <string>

#include "services/virtual-lcd/frames/FrameBoard.h"

namespace korvan::virtual_lcd {

// The panel's view of a snapshot: {"seq","connected","result"} and, when
// asked, "pixels": the lit pixels as hex, one bit a pixel, row by row,
// the first pixel in the high bit.
std::string FrameJson(const FrameSnapshot& snapshot, bool withPixels);

}  // namespace korvan::virtual_lcd
