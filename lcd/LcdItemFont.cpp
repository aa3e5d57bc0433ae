#include "lcd/LcdItemFont.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <new>

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

FontDescription LcdItemFont::Description() const {
  return font_ != nullptr ? font_->Description() : FontDescription{};
}

void LcdItemFont::UseStock() {
  font_ = &Font::StockGui();
  owned_.reset();
}

void LcdItemFont::Replace(const FontDescription& description) {
  font_ = nullptr;
  owned_.reset(new (std::nothrow) Font(description));
  font_ = owned_.get();
}

FontDescription LcdItemFont::WithFaceName(std::u16string_view face) const {
  FontDescription description = Description();
  const std::size_t length = std::min<std::size_t>(face.size(), kFaceNameSize - 1);
  description.faceName.fill(u'\0');
  std::copy_n(face.begin(), length, description.faceName.begin());
  return description;
}

FontDescription LcdItemFont::WithPointSize(int points) const {
  FontDescription description = Description();
  description.height = Saturate(-static_cast<long long>(MulDiv(points, 96, 72)));
  return description;
}

FontDescription LcdItemFont::WithWeight(int weight) const {
  FontDescription description = Description();
  description.weight = weight;
  return description;
}

}  // namespace korvan
