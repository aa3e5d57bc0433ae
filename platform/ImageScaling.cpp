#include "platform/ImageScaling.h"

#include <cstddef>

namespace korvan {

std::vector<std::uint8_t> ScalePlaneNearest(const std::vector<std::uint8_t>& source,
                                            int sourceWidth, int sourceHeight, int width,
                                            int height) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const auto sy = static_cast<std::size_t>(static_cast<long long>(y) * sourceHeight / height);
    for (int x = 0; x < width; ++x) {
      const auto sx = static_cast<std::size_t>(static_cast<long long>(x) * sourceWidth / width);
      out[static_cast<std::size_t>(y) * width + x] = source[sy * sourceWidth + sx];
    }
  }
  return out;
}

}  // namespace korvan
