#pragma once

#include <array>
#include <cstdint>

namespace korvan {

inline constexpr int kFaceNameSize = 32;  // terminator included
inline constexpr int kWeightNormal = 400;
inline constexpr int kWeightBold = 700;
inline constexpr int kBoldFrom = 600;  // the lightest weight drawn bold

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
