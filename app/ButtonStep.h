#pragma once

#include "app/AppContext.h"

namespace korvan {

// Acts on the soft-button edges and held buttons the last facade update
// collected: page switches, unit cycling, the calculator's input steps and
// the reset request, in a fixed order.
void ButtonStep(AppContext& context);

}  // namespace korvan
