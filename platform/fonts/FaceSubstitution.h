#pragma once

#include <string_view>

namespace korvan {

// The screens were laid out with a face we usually cannot draw: a substitute
// stands in for it. Texts are lifted by their logical origin so the digits
// start at the top of their box, a lift that counts the blank rows the
// original face leaves above its digits. A substitute leaving fewer rows
// would lose the top of every digit, so its glyphs are drawn lower by the
// difference; one leaving more is drawn higher. The rule is the same for
// every text backend; each measures the rows its own face leaves.

// The blank rows, between the top of the cell and the top of the digits, the
// named face leaves at an em size in pixels; -1 where we hold no data (other
// faces, sizes the program never asks for).
int OriginalRowsAboveDigits(std::u16string_view faceName, int emPixels, bool bold);

// How many rows lower to draw a substitute's glyphs: the rows the asked face
// would leave above its digits less the rows the drawn face leaves
// (`drawnRows` < 0: not known). 0 where either is not known.
int SubstituteShiftY(std::u16string_view askedFace, int emPixels, bool bold, int drawnRows);

}  // namespace korvan
