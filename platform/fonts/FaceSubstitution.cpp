#include "platform/fonts/FaceSubstitution.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/fonts/FontDescription.h"

namespace korvan {
namespace {

struct DigitRows {
  int emPixels;
  bool bold;
  int rows;
};

// Microsoft Sans Serif at the sizes the screens use, 96 dots per inch: 7
// points (9 pixels), 8 points (11) and 12 points bold (16). The screens lift
// those by 3, 2 and 4 rows: the first two put the digits on the box's top
// row, the large one leaves a row above them, as the pages have always shown.
constexpr std::u16string_view kOriginalFace = u"microsoft sans serif";
constexpr DigitRows kOriginalRows[] = {{9, false, 3}, {11, false, 2}, {16, true, 5}};

}  // namespace

int OriginalRowsAboveDigits(std::u16string_view faceName, int emPixels, bool bold) {
  if (LowerFaceName(std::u16string(faceName)) != kOriginalFace) return -1;
  const auto* found = std::find_if(
      std::begin(kOriginalRows), std::end(kOriginalRows),
      [&](const DigitRows& entry) { return entry.emPixels == emPixels && entry.bold == bold; });
  return found != std::end(kOriginalRows) ? found->rows : -1;
}

int SubstituteShiftY(std::u16string_view askedFace, int emPixels, bool bold, int drawnRows) {
  const int original = OriginalRowsAboveDigits(askedFace, emPixels, bold);
  return original < 0 || drawnRows < 0 ? 0 : original - drawnRows;
}

}  // namespace korvan
