// Faces on Linux: FreeType faces, their metrics and their glyphs.
#include "platform/fonts/FontFacePosix.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace korvan {
namespace {

int Scale(long fontUnits, int pixelSize, int unitsPerEm) {
  return static_cast<int>(std::lround(static_cast<double>(fontUnits) * pixelSize / unitsPerEm));
}

// The metrics of a face set to `pixelSize`.
FontMetrics Measure(FT_Face face, int pixelSize, FontFace::Backend& glyphs) {
  FontMetrics metrics;
  const int unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  // The Windows metrics of the OS/2 table are what the desktop API lays lines
  // out with; fonts built to be metric-compatible agree on them.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    metrics.ascent = Scale(os2->usWinAscent, pixelSize, unitsPerEm);
    metrics.descent = Scale(os2->usWinDescent, pixelSize, unitsPerEm);
  } else {
    metrics.ascent = Scale(face->ascender, pixelSize, unitsPerEm);
    metrics.descent = Scale(-face->descender, pixelSize, unitsPerEm);
  }
  metrics.height = metrics.ascent + metrics.descent;
  if (os2 != nullptr && os2->xAvgCharWidth > 0) {
    metrics.averageCharWidth = Scale(os2->xAvgCharWidth, pixelSize, unitsPerEm);
  } else {
    metrics.averageCharWidth = glyphs.GetGlyph(U'x').advance;
  }
  return metrics;
}

}  // namespace

FontFace::FontFace(std::unique_ptr<Backend> backend, std::string path, bool substituted,
                   int pixelSize, const FontMetrics& metrics, int rowsAboveDigits)
    : backend_(std::move(backend)),
      path_(std::move(path)),
      substituted_(substituted),
      pixelSize_(pixelSize),
      metrics_(metrics),
      rowsAboveDigits_(rowsAboveDigits) {}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> OpenFace(FT_FaceRec_* face, std::string path, int pixelSize,
                                   bool embolden) {
  auto glyphs = std::make_unique<FontFace::Backend>(face, embolden);
  FontMetrics metrics{pixelSize, 0, pixelSize, pixelSize / 2};
  int rowsAboveDigits = -1;
  if (face != nullptr && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0) {
    metrics = Measure(face, pixelSize, *glyphs);
    if (const Glyph& zero = glyphs->GetGlyph(U'0'); zero.rows > 0)
      rowsAboveDigits = metrics.ascent - zero.top;
  }
  return std::make_unique<FontFace>(std::move(glyphs), std::move(path), true, pixelSize, metrics,
                                    rowsAboveDigits);
}

FontFace::Backend::~Backend() {
  if (face_ != nullptr) FT_Done_Face(face_);
}

const Glyph& FontFace::Backend::GetGlyph(char32_t codePoint) {
  std::unique_ptr<Glyph>& slot = codePoint < latin_.size() ? latin_[codePoint] : others_[codePoint];
  if (!slot) slot = Rasterise(codePoint);
  return *slot;
}

std::unique_ptr<Glyph> FontFace::Backend::Rasterise(char32_t codePoint) const {
  auto glyph = std::make_unique<Glyph>();
  if (face_ == nullptr) return glyph;
  // Hinted for a monochrome target, so stems land on whole pixels.
  if (FT_Load_Char(face_, codePoint, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) return glyph;
  FT_GlyphSlot slot = face_->glyph;
  if (embolden_ && slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Embolden(slot);
  glyph->advance = static_cast<int>((slot->advance.x + 32) >> 6);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph->width = static_cast<int>(bitmap.width);
  glyph->rows = static_cast<int>(bitmap.rows);
  glyph->left = slot->bitmap_left;
  glyph->top = slot->bitmap_top;
  glyph->pixels.assign(static_cast<std::size_t>(glyph->width) * glyph->rows, 0);
  for (int y = 0; y < glyph->rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    for (int x = 0; x < glyph->width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        glyph->pixels[static_cast<std::size_t>(y) * glyph->width + x] =
            (row[x >> 3] >> (7 - (x & 7))) & 1;
      } else {
        glyph->pixels[static_cast<std::size_t>(y) * glyph->width + x] = row[x] >= 128 ? 1 : 0;
      }
    }
  }
  return glyph;
}

}  // namespace korvan
