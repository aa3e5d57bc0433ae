#include "platform/fonts/Font.h"

#include <string_view>

#include "platform/fonts/FontLibrary.h"

namespace korvan {

Font::Font(const FontDescription& description)
    : description_(description), face_(&FontLibrary::Instance().Face(description)) {}

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
