#pragma once

#include <memory>
#include <string_view>

#include "platform/fonts/Font.h"
#include "platform/fonts/FontDescription.h"

namespace korvan {

// The font a text-drawing item draws with. It starts as the shared stock
// font; every change makes a font of the item's own from a copy of the
// current description with that change applied.
class LcdItemFont {
 public:
  const Font* Get() const { return font_; }
  // The description the current font was made from; a zeroed one without.
  FontDescription Description() const;

  void UseStock();
  // Without memory for the new font the item has none, and draws no text.
  void Replace(const FontDescription& description);

  // The current description with one change: the face name cut to the
  // field's size with room for the terminator; the em height set to
  // `points` at a fixed 96 dots per inch, rounded as the classic MulDiv
  // rounds and negative so the em, not the cell, gets the size; the weight.
  FontDescription WithFaceName(std::u16string_view face) const;
  FontDescription WithPointSize(int points) const;
  FontDescription WithWeight(int weight) const;

 private:
  const Font* font_ = nullptr;
  std::unique_ptr<Font> owned_;
};

}  // namespace korvan
