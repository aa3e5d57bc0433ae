#pragma once

#include <cstddef>

#include "platform/images/BitmapImage.h"
#include "platform/images/IconImage.h"
#include "platform/raster/Geometry.h"

namespace korvan {

// Where a picture lands on the device, worked out the same way by every
// drawing backend: the device area that shows (empty: draw nothing) and the
// device position of the picture's pixel (0, 0).
struct PicturePlacement {
  Rect area;
  int left = 0;
  int top = 0;
};

// Pictures reach us as plain structs; one whose planes are shorter than its
// dimensions claim is drawn as nothing rather than read past its end.
bool PictureHolds(int width, int height, std::size_t bytes);

// A block transfer of the cx × cy window of `source` at (sx, sy) to logical
// (x, y): the window is cut to the source, moving the destination by what it
// lost, then to the clip.
PicturePlacement PlaceBlockTransfer(const BitmapImage& source, int x, int y, int cx, int cy, int sx,
                                    int sy, Point viewportOrigin, const Rect& clip);

// An icon stretched to cx × cy (0 takes its own size) at logical (x, y);
// `cx` and `cy` come back as the size drawn.
PicturePlacement PlaceIcon(const IconImage& icon, int x, int y, int& cx, int& cy,
                           Point viewportOrigin, const Rect& clip);

}  // namespace korvan
