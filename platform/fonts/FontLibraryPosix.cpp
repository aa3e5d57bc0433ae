#include "platform/fonts/FontLibrary.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "platform/fonts/FontFacePosix.h"
#include "platform/text/Utf16.h"

namespace korvan {
namespace {

// The screens were laid out with a narrow Windows sans; Liberation Sans has
// its metrics, while fontconfig's own alias picks a wider face that overflows
// the value boxes.
std::string PreferredFamily(const std::u16string& lowerFace) {
  if (lowerFace.empty() || lowerFace == u"microsoft sans serif" || lowerFace == u"ms sans serif" ||
      lowerFace == u"ms shell dlg" || lowerFace == u"ms shell dlg 2" || lowerFace == u"arial") {
    return "Liberation Sans";
  }
  return Utf8FromUtf16(lowerFace);
}

std::string FontconfigMatch(const std::string& family, bool bold) {
  std::string path;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return path;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  if (match != nullptr) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      path = reinterpret_cast<const char*>(file);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return path;
}

}  // namespace

struct FontLibrary::Backend {
  FT_Library library = nullptr;
};

FontLibrary& FontLibrary::Instance() {
  static FontLibrary instance;
  return instance;
}

FontLibrary::FontLibrary() : backend_(std::make_unique<Backend>()) {
  if (FT_Init_FreeType(&backend_->library) != 0) backend_->library = nullptr;
}

FontLibrary::~FontLibrary() {
  faces_.clear();
  if (backend_->library != nullptr) FT_Done_FreeType(backend_->library);
  // Fontconfig keeps its configuration and caches for the process; hand
  // them back so leak checks see only our own allocations.
  FcFini();
}

void FontLibrary::Pin(const std::u16string& faceName, bool bold, std::string path) {
  pins_[{LowerFaceName(faceName), bold}] = std::move(path);
}

std::string FontLibrary::ResolvePath(const std::u16string& faceName, bool bold) {
  const std::u16string lower = LowerFaceName(faceName);
  if (auto pin = pins_.find({lower, bold}); pin != pins_.end()) return pin->second;
  auto [entry, inserted] = resolved_.try_emplace({lower, bold});
  if (inserted) {
    entry->second = FontconfigMatch(PreferredFamily(lower), bold);
    if (entry->second.empty()) entry->second = FontconfigMatch("sans-serif", bold);
  }
  return entry->second;
}

int FontLibrary::PixelSizeFor(const FontDescription& description, const std::string& path) {
  if (description.height < 0)
    return std::min(-static_cast<long long>(description.height),
                    static_cast<long long>(kMaxEmPixels));
  if (description.height == 0) return kDefaultEmPixels;
  // A positive height is the cell, ascent plus descent: scale it to the em.
  FT_Face face = nullptr;
  double em = description.height;
  if (backend_->library != nullptr && FT_New_Face(backend_->library, path.c_str(), 0, &face) == 0) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const long cell =
        os2 != nullptr ? os2->usWinAscent + os2->usWinDescent : face->ascender - face->descender;
    if (cell > 0) {
      em = std::round(static_cast<double>(description.height) * face->units_per_EM /
                      static_cast<double>(cell));
    }
    FT_Done_Face(face);
  }
  return static_cast<int>(std::clamp(em, 1.0, static_cast<double>(kMaxEmPixels)));
}

FontFace& FontLibrary::Face(const FontDescription& description) {
  const auto nameEnd = std::find(description.faceName.begin(), description.faceName.end(), u'\0');
  const std::u16string faceName(description.faceName.begin(), nameEnd);
  const bool bold = description.weight >= kBoldFrom;
  const std::string path = ResolvePath(faceName, bold);
  const int pixelSize = PixelSizeFor(description, path);
  std::unique_ptr<FontFace>& slot = faces_[{path + (bold ? "#bold" : ""), pixelSize}];
  if (!slot) {
    FT_Face face = nullptr;
    if (backend_->library == nullptr || path.empty() ||
        FT_New_Face(backend_->library, path.c_str(), 0, &face) != 0) {
      face = nullptr;
    }
    // A bold request that only found a regular file is thickened instead.
    const bool embolden = bold && face != nullptr && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    slot = OpenFace(face, path, pixelSize, embolden);
  }
  return *slot;
}

}  // namespace korvan
