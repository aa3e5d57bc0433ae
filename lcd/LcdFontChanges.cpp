#include "lcd/LcdFontChanges.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "platform/raster/Geometry.h"

namespace korvan {
namespace {

// number × numerator / denominator, rounded half away from zero; -1 when the
// result does not fit, as the system call of that name answers.
int MulDiv(int number, int numerator, int denominator) {
  const long long product = static_cast<long long>(number) * numerator;
  const long long half = denominator / 2;
  const long long result =
      product >= 0 ? (product + half) / denominator : (product - half) / denominator;
  return result < INT_MIN || result > INT_MAX ? -1 : static_cast<int>(result);
}

}  // namespace

FontDescription WithFaceName(FontDescription description, std::u16string_view face) {
  const std::size_t length = std::min<std::size_t>(face.size(), kFaceNameSize - 1);
  description.faceName.fill(u'\0');
  std::copy_n(face.begin(), length, description.faceName.begin());
  return description;
}

FontDescription WithPointSize(FontDescription description, int points) {
  description.height = Saturate(-static_cast<long long>(MulDiv(points, 96, 72)));
  return description;
}

}  // namespace korvan
