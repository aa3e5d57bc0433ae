#pragma once

// What the Linux backend of the raster context shares: our own byte writes
// into the 8-bit store. Included only by the *Posix.cpp files here.
#include <cstdint>

#include "platform/raster/PixelSurface.h"

namespace korvan::bytes {

// Sets every pixel of `area` to `value`. The area is in device coordinates
// and already cut to the clip, which lies on the surface; an empty area
// (the only kind there is without a surface) writes nothing.
inline void Fill(PixelSurface* surface, const Rect& area, std::uint8_t value) {
  if (area.IsEmpty()) return;
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint8_t* row = surface->Row(y);
    for (int x = area.left; x < area.right; ++x) row[x] = value;
  }
}

}  // namespace korvan::bytes
