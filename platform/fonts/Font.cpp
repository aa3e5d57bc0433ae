#include "platform/fonts/Font.h"

#include <algorithm>
#include <string_view>

#include "platform/fonts/FaceSubstitution.h"
#include "platform/fonts/FontLibrary.h"

namespace korvan {

namespace {

// Only a face drawn in place of the one asked is moved.
int ShiftOf(const FontDescription& description, const FontFace& face) {
  if (!face.Substituted()) return 0;
  const auto& name = description.faceName;
  const std::u16string_view asked(name.data(),
                                  std::find(name.begin(), name.end(), u'\0') - name.begin());
  return SubstituteShiftY(asked, face.PixelSize(), description.weight >= kBoldFrom,
                          face.RowsAboveDigits());
}

}  // namespace

Font::Font(const FontDescription& description)
    : description_(description),
      face_(&FontLibrary::Instance().Face(description)),
      textShiftY_(ShiftOf(description_, *face_)) {}

const Font& Font::StockGui() {
  static const Font font([] {
    FontDescription description;
    description.height = -11;
    description.weight = kWeightNormal;
    constexpr std::u16string_view face = u"Microsoft Sans Serif";
    face.copy(description.faceName.data(), face.size());
    return description;
  }());
  return font;
}

}  // namespace korvan
