#pragma once

#include "app/AppContext.h"

namespace korvan {

// Refresh the items of the page that is shown, once per cycle.
void MainPageBlock(AppContext& context);
void StatusPageBlock(AppContext& context);
void CalculatorBlock(AppContext& context);

}  // namespace korvan
