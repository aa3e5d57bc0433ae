#include "app/SimulatorAnswers.h"

#include <cstdio>

namespace korvan {

int ParseFastAnswer(const char* text, FlightSample& sample) {
  const int stored =
      std::sscanf(text, "A/30\\%f/32\\%f/40\\%f/42\\%f/50\\%f\n", &sample.airspeedKmh,
                  &sample.climbRateMs, &sample.altitudeM, &sample.heading, &sample.fuel);
  return stored < 0 ? 0 : stored;
}

int ParseSlowAnswer(const char* text, FlightSample& sample) {
  // The name is read with a width so it can never run past its 16 bytes.
  static_assert(sizeof sample.aircraftName == 16, "the %15s width below depends on it");
  const int stored = std::sscanf(
      text,
      "A/20\\%f/164\\%f/172\\%f/174\\%f/214\\%f/216\\%f/82\\%f/94\\%f/96\\%f/98\\%f/22\\%15s\n",
      &sample.clock, &sample.value164, &sample.value172, &sample.value174, &sample.value214,
      &sample.value216, &sample.value82, &sample.roll, &sample.pitch, &sample.head,
      sample.aircraftName);
  return stored < 0 ? 0 : stored;
}

}  // namespace korvan
