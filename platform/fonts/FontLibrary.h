#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/fonts/FontDescription.h"
#include "platform/fonts/FontFace.h"

namespace korvan {

// Finds the face a description asks for and keeps one FontFace per face and
// pixel size for the life of the process, so every font of the same size
// shares one face (on Linux a file found through fontconfig, with one glyph
// cache; on Windows a GDI font).
class FontLibrary {
 public:
  static FontLibrary& Instance();

  // The face for a description; never null. Without any usable font file
  // the face is empty: text measures zero wide and draws nothing.
  FontFace& Face(const FontDescription& description);

  // The file fontconfig (after our own preferences) picks for a face name.
  std::string ResolvePath(const std::u16string& faceName, bool bold);

  // Makes a face name resolve to one file (on Windows: one face name), so
  // tests see the same pixels on every machine.
  void Pin(const std::u16string& faceName, bool bold, std::string path);

  // The size Face would open a description at, in em pixels.
  int PixelSizeFor(const FontDescription& description, const std::string& path);

 private:
  FontLibrary();
  ~FontLibrary();

  struct Backend;  // the system's own font machinery, if it keeps any
  std::unique_ptr<Backend> backend_;
  std::map<std::pair<std::u16string, bool>, std::string> pins_;
  std::map<std::pair<std::u16string, bool>, std::string> resolved_;
  std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> faces_;
};

}  // namespace korvan
