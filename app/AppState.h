#pragma once

#include <cstdint>

#include "app/FlightSample.h"
#include "screens/Configuration.h"

namespace korvan {

using UnitMode = std::int32_t;  // 0..3
// The aircraft families, named by the icon set each shows; the numbers are
// the family codes. Unknown aircraft show the seafire set too.
enum class AircraftFamily : std::int32_t {
  kUnknown = 0,
  kSeafire = 1,
  kMe109 = 2,
  kF4u = 3,
  kZero = 4,
  kYak1 = 5,
};

// What the display cycle remembers between cycles. The three page flags are
// never true together.
struct AppState {
  bool mainPageActive = true;
  bool statusPageActive = false;
  bool calculatorPageActive = false;
  UnitMode unitMode = 0;
  bool calculatorInputActive = false;
  bool adjustSpeed = true;
  std::int32_t adjustToggle = 0;
  bool resetRequested = false;
  AircraftFamily family = AircraftFamily::kUnknown;
  AircraftFamily previousFamily = AircraftFamily::kUnknown;
  float countdownLength = 0;  // clock units (hours)
  float countdownStart = 0;
  float fuelReference = 0;
};

// The state right after start-up.
AppState InitialAppState(const Configuration& configuration);

// Takes a new countdown start and fuel reference from the latest sample.
void TakeReset(AppState& state, const FlightSample& sample);

}  // namespace korvan
