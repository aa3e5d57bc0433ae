#include "platform/images/ImageScaling.h"

#include <algorithm>
#include <cstddef>

namespace korvan {

namespace {

std::size_t At(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

// Calls merge(destination index, source index) for every source pixel each
// destination pixel stands for, row runs times column runs.
template <typename Merge>
void ForEachSource(int sourceWidth, int sourceHeight, int width, int height, Merge merge) {
  const auto columns = StretchRuns(sourceWidth, width);
  const auto rows = StretchRuns(sourceHeight, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t to = At(x, y, width);
      const StretchRun& r = rows[static_cast<std::size_t>(y)];
      const StretchRun& c = columns[static_cast<std::size_t>(x)];
      for (int sy = r.first; sy < r.first + r.count; ++sy) {
        for (int sx = c.first; sx < c.first + c.count; ++sx) merge(to, At(sx, sy, sourceWidth));
      }
    }
  }
}

}  // namespace

std::vector<StretchRun> StretchRuns(int sourceLength, int length) {
  std::vector<StretchRun> runs(static_cast<std::size_t>(length));
  // The pixel of a `to`-long axis under the centre of pixel i of a
  // `from`-long one; a centre on a boundary goes to the lower pixel.
  auto under = [](int i, int from, int to) {
    return static_cast<int>(((2LL * i + 1) * to - 1) / (2LL * from));
  };
  if (length >= sourceLength) {
    for (int d = 0; d < length; ++d) {
      runs[static_cast<std::size_t>(d)] = {under(d, length, sourceLength), 1};
    }
    return runs;
  }
  // Consecutive sources land on the same or the next pixel, from 0 up to
  // length - 1, so every run is a non-empty block.
  for (auto& run : runs) run.count = 0;
  for (int s = 0; s < sourceLength; ++s) {
    StretchRun& run = runs[static_cast<std::size_t>(under(s, sourceLength, length))];
    if (run.count == 0) run.first = s;
    ++run.count;
  }
  return runs;
}

RgbaImage StretchPicture(const RgbaImage& source, int width, int height) {
  RgbaImage out;
  out.width = width;
  out.height = height;
  out.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  for (std::size_t i = 0; i < out.rgba.size(); i += 4) {
    out.rgba[i] = out.rgba[i + 1] = out.rgba[i + 2] = 0xFF;
    out.rgba[i + 3] = 0;
  }
  ForEachSource(source.width, source.height, width, height, [&](std::size_t to, std::size_t from) {
    std::uint8_t* d = out.rgba.data() + to * 4;
    const std::uint8_t* s = source.rgba.data() + from * 4;
    for (int channel = 0; channel < 3; ++channel) d[channel] &= s[channel];
    d[3] = std::max(d[3], s[3]);
  });
  return out;
}

std::vector<std::uint8_t> StretchMask(const std::vector<std::uint8_t>& mask, int sourceWidth,
                                      int sourceHeight, int width, int height) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                1);
  ForEachSource(sourceWidth, sourceHeight, width, height, [&](std::size_t to, std::size_t from) {
    if (mask[from] == 0) out[to] = 0;
  });
  return out;
}

}  // namespace korvan
