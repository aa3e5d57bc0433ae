#pragma once

// What a face is on Linux: a FreeType face at one size and its glyph cache.
// Included only by the *Posix.cpp files of platform/.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/fonts/FontFace.h"

struct FT_FaceRec_;

namespace korvan {

// One rasterised glyph: its 1-bit image (one byte per pixel, 0 or 1, row by
// row), where that image sits against the pen position, and how far the pen
// moves. Kept together so measuring and drawing can never disagree.
struct Glyph {
  int width = 0;
  int rows = 0;
  int left = 0;     // pen x to the image's first column
  int top = 0;      // baseline up to the image's first row
  int advance = 0;  // whole pixels
  std::vector<std::uint8_t> pixels;

  bool Lit(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] != 0; }
};

// Each glyph is rasterised once (1-bit, hinted) and kept for the life of
// the face.
struct FontFace::Backend {
  // `face` is owned from here on; null (no font file could be opened) makes
  // every glyph empty, so text measures and draws as nothing.
  Backend(FT_FaceRec_* face, bool embolden) : face_(face), embolden_(embolden) {}
  ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  const Glyph& GetGlyph(char32_t codePoint);

 private:
  std::unique_ptr<Glyph> Rasterise(char32_t codePoint) const;

  FT_FaceRec_* face_;
  bool embolden_;
  // Latin-1 is looked up without hashing: numbers and labels live there.
  std::array<std::unique_ptr<Glyph>, 256> latin_;
  std::unordered_map<char32_t, std::unique_ptr<Glyph>> others_;
};

// The face `face` (may be null) at `pixelSize` em pixels, thickened when
// `embolden`, with its metrics taken from the font's Windows metrics.
// Every face FreeType draws stands in for a desktop face the screens were
// laid out with, so each is a substitute.
std::unique_ptr<FontFace> OpenFace(FT_FaceRec_* face, std::string path, int pixelSize,
                                   bool embolden);

}  // namespace korvan
