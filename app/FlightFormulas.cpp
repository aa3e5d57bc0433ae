#include "app/FlightFormulas.h"

#include <cmath>

namespace korvan {
namespace {
constexpr double kPi = 3.141592653589793;
}

float TrueAirspeedMain(float speedKmh, float altitudeM) {
  return static_cast<float>(static_cast<double>(speedKmh) * 1.01 *
                            (static_cast<double>(altitudeM) / 18000.0 + 1.0));
}

float TrueAirspeedCalculator(float speedKmh, float altitudeM) {
  return speedKmh * 1.01f * (altitudeM / 18000.0f + 1.0f);
}

float BombSightAngleMain(float tasKmh, float heightM) {
  const double h = heightM;
  const double a = static_cast<double>(tasKmh) / 3.6;
  const double b = std::sqrt(static_cast<double>(2.0f * heightM) / 9.81);
  return static_cast<float>(std::atan(b * a / h) * 180.0 / kPi);
}

float BombSightAngleCalculator(float tasKmh, std::int32_t heightM) {
  const float a = tasKmh / 3.6f;
  // Doubled as an integer; 64 bits so no input the buttons reach overflows.
  const float fall = static_cast<float>(2 * static_cast<std::int64_t>(heightM)) / 9.81f;
  const double b = std::sqrt(static_cast<double>(fall));
  const float q = static_cast<float>(b * a / static_cast<double>(static_cast<float>(heightM)));
  return static_cast<float>(std::atan(static_cast<double>(q)) * 180.0f / kPi);
}

double FuelPercent(float fuel, float fuelReference) {
  return static_cast<double>(fuel) / static_cast<double>(fuelReference);
}

float RemainingCountdown(float countdownStart, float countdownLength, float clock) {
  const float remaining = countdownStart + countdownLength - clock;
  return remaining <= 0.0f ? 0.0f : remaining;
}

}  // namespace korvan
