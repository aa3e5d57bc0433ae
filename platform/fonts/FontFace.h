#pragma once

#include <memory>
#include <string>

namespace korvan {

// Line metrics of a face at one size, in pixels.
struct FontMetrics {
  int ascent = 0;
  int descent = 0;
  int height = 0;  // ascent + descent: the line pitch of multi-line text
  int averageCharWidth = 0;
};

// A face opened at one size: what every system knows of it, and the
// system's own hold on it (`Backend`: a FreeType face and its glyph cache on
// Linux, a GDI font on Windows), which only that system's text code sees.
// Made once per face and size by the FontLibrary and kept.
class FontFace {
 public:
  struct Backend;

  // `path` names the font file on Linux and, in UTF-8, the face GDI selected
  // on Windows; `substituted` says the face is drawn in place of the one
  // asked for; `rowsAboveDigits` as RowsAboveDigits() reports it.
  FontFace(std::unique_ptr<Backend> backend, std::string path, bool substituted, int pixelSize,
           const FontMetrics& metrics, int rowsAboveDigits);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const std::string& Path() const { return path_; }
  int PixelSize() const { return pixelSize_; }
  const FontMetrics& Metrics() const { return metrics_; }
  bool Substituted() const { return substituted_; }
  // Blank rows between the top of the cell and the top of the digit '0';
  // -1 when the face has no such glyph.
  int RowsAboveDigits() const { return rowsAboveDigits_; }
  Backend& Native() const { return *backend_; }

 private:
  std::unique_ptr<Backend> backend_;
  std::string path_;
  bool substituted_;
  int pixelSize_;
  FontMetrics metrics_;
  int rowsAboveDigits_;
};

}  // namespace korvan
