#include "app/AppState.h"

namespace korvan {

AppState InitialAppState(const Configuration& configuration) {
  AppState state;
  // Divided in double precision, then kept as a 32-bit float.
  state.countdownLength = static_cast<float>(static_cast<float>(configuration.countdown) / 60.0);
  return state;
}

void TakeReset(AppState& state, const FlightSample& sample) {
  state.countdownStart = sample.clock;
  state.fuelReference = sample.fuel / 100.0f;
  state.resetRequested = false;
}

}  // namespace korvan
