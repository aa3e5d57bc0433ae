#include "services/virtual-lcd/frames/FramePng.h"

// The Windows build has no libpng: no /frame.png, and frames are recorded
// as PGM only.
namespace korvan::virtual_lcd {

bool PngAvailable() {
  return false;
}

std::string FramePng(const std::uint8_t*, int) {
  return {};
}

}  // namespace korvan::virtual_lcd
