#pragma once

#include <memory>

#include "platform/fonts/FontDescription.h"
#include "platform/fonts/FontFace.h"

namespace korvan {

// A logical font: the description it was made from and the face that serves
// it. The face belongs to the FontLibrary; a Font is cheap to make and drop.
class Font {
 public:
  explicit Font(const FontDescription& description);

  // The stock GUI font, an 8-point sans; shared and never freed.
  static const Font& StockGui();

  const FontDescription& Description() const { return description_; }
  FontFace& Face() const { return *face_; }
  // Rows to draw glyphs lower than the face places them, so the substitute
  // face leaves as many rows above its digits as the face asked would.
  int TextShiftY() const { return textShiftY_; }

 private:
  FontDescription description_;
  FontFace* face_;
  int textShiftY_;
};

}  // namespace korvan
