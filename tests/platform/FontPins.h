#pragma once

namespace korvan::testing {

// Makes the sans faces the screens ask for resolve to the Liberation Sans
// files of Debian's fonts-liberation, whatever else the machine has, so
// golden frames hold everywhere.
void PinTestFonts();

}  // namespace korvan::testing
