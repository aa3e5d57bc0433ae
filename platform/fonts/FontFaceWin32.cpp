#include <windows.h>

#include "platform/fonts/FontFace.h"

namespace korvan {

FontFace::FontFace(void* font, std::string selected, bool substituted, int pixelSize,
                   const FontMetrics& metrics)
    : font_(font),
      path_(std::move(selected)),
      substituted_(substituted),
      pixelSize_(pixelSize),
      metrics_(metrics) {}

FontFace::~FontFace() {
  if (font_ != nullptr) DeleteObject(static_cast<HFONT>(font_));
}

}  // namespace korvan
