#pragma once

// What a face is on Windows: a GDI font, made once from a logical-font
// record. GDI rasterises and draws the glyphs itself, so there is no glyph
// cache here. Included only by the *Win32.cpp files of platform/.
#include <windows.h>

#include "platform/fonts/FontFace.h"

namespace korvan {

struct FontFace::Backend {
  explicit Backend(HFONT owned) : font(owned) {}
  ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  HFONT font;  // null when GDI made none: text then measures and draws as nothing
};

}  // namespace korvan
