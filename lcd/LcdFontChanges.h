#pragma once

#include <string_view>

#include "platform/fonts/FontDescription.h"

namespace korvan {

// The font changes text-drawing items offer, applied to a copy of the
// description the current font was made from.

// The face name replaced, cut to the field's size with room for the
// terminator.
FontDescription WithFaceName(FontDescription description, std::u16string_view face);

// The em height set to `points` at a fixed 96 dots per inch, rounded as the
// classic MulDiv rounds; negative so the em, not the cell, gets the size.
FontDescription WithPointSize(FontDescription description, int points);

}  // namespace korvan
