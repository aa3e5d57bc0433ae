#pragma once

#include "app/AppState.h"
#include "app/FlightSample.h"
#include "lcdlink/LcdFacade.h"
#include "screens/Configuration.h"
#include "screens/ScreenItems.h"

namespace korvan {

// What the page blocks and the button step work on. The calculator steps
// the configuration's speed and altitude in place, so it is not const.
struct AppContext {
  LcdFacade& facade;
  const ScreenItems& items;
  AppState& state;
  const FlightSample& sample;
  Configuration& configuration;
};

}  // namespace korvan
