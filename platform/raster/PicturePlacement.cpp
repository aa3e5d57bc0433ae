#include "platform/raster/PicturePlacement.h"

namespace korvan {

bool PictureHolds(int width, int height, std::size_t bytes) {
  return width > 0 && height > 0 &&
         bytes >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

PicturePlacement PlaceBlockTransfer(const BitmapImage& source, int x, int y, int cx, int cy, int sx,
                                    int sy, Point viewportOrigin, const Rect& clip) {
  if (cx <= 0 || cy <= 0 || !PictureHolds(source.width, source.height, source.pixels.size()))
    return {};
  const Rect window{sx, sy, AddSaturated(sx, cx), AddSaturated(sy, cy)};
  const Rect inside = Intersect(window, {0, 0, source.width, source.height});
  if (inside.IsEmpty()) return {};
  const int left = Saturate(static_cast<long long>(x) + viewportOrigin.x - sx);
  const int top = Saturate(static_cast<long long>(y) + viewportOrigin.y - sy);
  return {Intersect(inside.Offset(left, top), clip), left, top};
}

PicturePlacement PlaceIcon(const IconImage& icon, int x, int y, int& cx, int& cy,
                           Point viewportOrigin, const Rect& clip) {
  if (!PictureHolds(icon.width, icon.height, icon.color.size()) ||
      !PictureHolds(icon.width, icon.height, icon.mask.size()))
    return {};
  if (cx == 0) cx = icon.width;
  if (cy == 0) cy = icon.height;
  if (cx < 0 || cy < 0) return {};
  const int left = AddSaturated(x, viewportOrigin.x);
  const int top = AddSaturated(y, viewportOrigin.y);
  return {Intersect({left, top, AddSaturated(left, cx), AddSaturated(top, cy)}, clip), left, top};
}

}  // namespace korvan
