#include <windows.h>

#include "platform/fonts/FontFace.h"

namespace korvan {

FontFace::FontFace(void* font, std::string selected, bool substituted, int pixelSize,
                   const FontMetrics& metrics, int rowsAboveDigits)
    : font_(font),
      path_(std::move(selected)),
      substituted_(substituted),
      pixelSize_(pixelSize),
      metrics_(metrics),
      rowsAboveDigits_(rowsAboveDigits) {}

FontFace::~FontFace() {
  if (font_ != nullptr) DeleteObject(static_cast<HFONT>(font_));
}

}  // namespace korvan
