#pragma once

#include <cstdint>

namespace korvan {

// The unit factors, as the 32-bit floats the display has always used.
inline constexpr float kKmhToKnots = 0.54f;
inline constexpr float kKmhToMph = 0.62f;
inline constexpr float kMsToFeetPerMinute = 1.96f;
inline constexpr float kMetresToFeet = 3.28f;

// True airspeed in km/h from indicated speed (km/h) and altitude (m). The
// main page works in double precision, the calculator in single; the two
// differ in their last bits and each page keeps its own.
float TrueAirspeedMain(float speedKmh, float altitudeM);
float TrueAirspeedCalculator(float speedKmh, float altitudeM);

// The angle, in degrees from the vertical, to where a bomb dropped now would
// land, from true airspeed (km/h) and height (m). Non-finite for a height of
// 0 or below.
float BombSightAngleMain(float tasKmh, float heightM);
float BombSightAngleCalculator(float tasKmh, std::int32_t heightM);

// Fuel left in percent of the reference taken at the last reset. Divided in
// double precision: 60 against the float 0.8 is 74.99999..., shown as 74.
double FuelPercent(float fuel, float fuelReference);

// Countdown left in clock units: never below 0.
float RemainingCountdown(float countdownStart, float countdownLength, float clock);

}  // namespace korvan
