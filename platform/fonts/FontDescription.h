#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korvan {

inline constexpr int kFaceNameSize = 32;  // terminator included
inline constexpr int kWeightNormal = 400;
inline constexpr int kWeightBold = 700;
inline constexpr int kBoldFrom = 600;  // the lightest weight drawn bold
// The stock GUI font's default height: 8 points at 96 dots per inch.
inline constexpr int kDefaultEmPixels = 11;
// Far beyond anything a 43-pixel screen shows, and small enough that one
// glyph image stays a few hundred kilobytes at most.
inline constexpr int kMaxEmPixels = 256;

// Face names match without regard to ASCII case, as the desktop matches them.
inline std::u16string LowerFaceName(std::u16string name) {
  for (char16_t& c : name) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return name;
}

// What a font is asked for, in the manner of the classic logical font record.
// `height` < 0 is the em size in pixels, > 0 the cell height (ascent plus
// descent), 0 the default size.
struct FontDescription {
  int height = 0;
  int weight = 0;  // 0 means normal
  std::array<char16_t, kFaceNameSize> faceName{};

  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace korvan
