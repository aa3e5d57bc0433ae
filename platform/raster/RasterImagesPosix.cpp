// The picture primitives of the raster context: block transfer of a bitmap
// and the masked, stretched icon draw.
#include <cstddef>
#include <cstring>

#include "platform/raster/PicturePlacement.h"
#include "platform/raster/RasterContext.h"

namespace korvan {
namespace {

// A ternary raster operation: bit i of `op` is the result for the
// combination (pattern, source, destination) = (bit 2, bit 1, bit 0 of i),
// applied bit by bit to the bytes.
std::uint8_t ApplyRop3(std::uint8_t op, std::uint8_t p, std::uint8_t s, std::uint8_t d) {
  unsigned result = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (((op >> i) & 1U) == 0) continue;
    const unsigned pp = (i & 4U) != 0 ? p : ~static_cast<unsigned>(p);
    const unsigned ss = (i & 2U) != 0 ? s : ~static_cast<unsigned>(s);
    const unsigned dd = (i & 1U) != 0 ? d : ~static_cast<unsigned>(d);
    result |= pp & ss & dd;
  }
  return static_cast<std::uint8_t>(result);
}

}  // namespace

void RasterContext::BitBlt(int x, int y, int cx, int cy, const BitmapImage& source, int sx, int sy,
                           std::uint32_t rop) {
  const auto [area, dx, dy] =
      PlaceBlockTransfer(source, x, y, cx, cy, sx, sy, state_.viewportOrigin, DeviceClip());
  if (area.IsEmpty()) return;

  const std::uint8_t op = static_cast<std::uint8_t>(rop >> 16);
  const std::uint8_t pattern = PixelOf(state_.brush->color);
  const int width = area.Width();
  for (int row = area.top; row < area.bottom; ++row) {
    std::uint8_t* out = surface_->Row(row) + area.left;
    const std::uint8_t* in =
        source.pixels.data() +
        static_cast<std::size_t>(row - dy) * static_cast<std::size_t>(source.width) +
        static_cast<std::size_t>(area.left - dx);
    if (op == 0xCC) {
      std::memcpy(out, in, static_cast<std::size_t>(width));
      continue;
    }
    for (int i = 0; i < width; ++i) out[i] = ApplyRop3(op, pattern, in[i], out[i]);
  }
}

void RasterContext::DrawIcon(int x, int y, const IconImage& icon, int cx, int cy) {
  const auto [area, left, top] = PlaceIcon(icon, x, y, cx, cy, state_.viewportOrigin, DeviceClip());
  if (area.IsEmpty()) return;

  for (int row = area.top; row < area.bottom; ++row) {
    const long long sy = (static_cast<long long>(row) - top) * icon.height / cy;
    std::uint8_t* out = surface_->Row(row);
    for (int column = area.left; column < area.right; ++column) {
      const long long sx = (static_cast<long long>(column) - left) * icon.width / cx;
      const std::size_t at = static_cast<std::size_t>(sy) * static_cast<std::size_t>(icon.width) +
                             static_cast<std::size_t>(sx);
      out[column] = static_cast<std::uint8_t>((out[column] & icon.mask[at]) ^ icon.color[at]);
    }
  }
}

}  // namespace korvan
