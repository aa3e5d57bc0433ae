#include "platform/fonts/FontFaceWin32.h"

namespace korvan {

FontFace::FontFace(std::unique_ptr<Backend> backend, std::string path, bool substituted,
                   int pixelSize, const FontMetrics& metrics, int rowsAboveDigits)
    : backend_(std::move(backend)),
      path_(std::move(path)),
      substituted_(substituted),
      pixelSize_(pixelSize),
      metrics_(metrics),
      rowsAboveDigits_(rowsAboveDigits) {}

FontFace::~FontFace() = default;

FontFace::Backend::~Backend() {
  if (font != nullptr) DeleteObject(font);
}

}  // namespace korvan
