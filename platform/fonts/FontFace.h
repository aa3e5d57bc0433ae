#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

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

// Line metrics of a face at one size, in pixels.
struct FontMetrics {
  int ascent = 0;
  int descent = 0;
  int height = 0;  // ascent + descent: the line pitch of multi-line text
  int averageCharWidth = 0;
};

#ifdef _WIN32
// A GDI font made once from a logical-font record, with the metrics GDI
// gives it. GDI rasterises and draws the glyphs itself.
class FontFace {
 public:
  // `font` is the HFONT, owned from here on; `selected` the face GDI actually
  // chose for it (GetTextFaceW), which may differ from the one asked for.
  FontFace(void* font, std::string selected, bool substituted, int pixelSize,
           const FontMetrics& metrics);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // The face GDI selected, in UTF-8 (there are no font files to name).
  const std::string& Path() const { return path_; }
  int PixelSize() const { return pixelSize_; }
  const FontMetrics& Metrics() const { return metrics_; }
  // Whether GDI put another face in place of the one asked for.
  bool Substituted() const { return substituted_; }
  void* NativeFont() const { return font_; }

 private:
  void* font_;
  std::string path_;
  bool substituted_;
  int pixelSize_;
  FontMetrics metrics_;
};
#else
// A font file opened at one pixel size, with its glyph cache: each glyph is
// rasterised once (1-bit, hinted) and kept for the life of the face.
class FontFace {
 public:
  // `face` may be null when no font file could be opened; text then measures
  // and draws as empty rather than failing.
  FontFace(FT_FaceRec_* face, std::string path, int pixelSize, bool embolden);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const std::string& Path() const { return path_; }
  int PixelSize() const { return pixelSize_; }
  const FontMetrics& Metrics() const { return metrics_; }

  const Glyph& GetGlyph(char32_t codePoint);

 private:
  std::unique_ptr<Glyph> Rasterise(char32_t codePoint) const;

  FT_FaceRec_* face_;
  std::string path_;
  int pixelSize_;
  bool embolden_;
  FontMetrics metrics_;
  // Latin-1 is looked up without hashing: numbers and labels live there.
  std::array<std::unique_ptr<Glyph>, 256> latin_;
  std::unordered_map<char32_t, std::unique_ptr<Glyph> > others_;
};
#endif

}  // namespace korvan
