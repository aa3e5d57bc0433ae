#include "tools/sim/FlightScript.h"

#include <algorithm>
#include <cmath>

namespace korvan::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFieldAltitude = 50;

struct Attitude {
  double speedKmh, climbMs, altitudeM, heading, roll, pitch;
  bool gearDown, flapsDown, bombBayOpen, bombsGone;
};

double Lerp(double from, double to, double fraction) {
  return from + (to - from) * std::clamp(fraction, 0.0, 1.0);
}

// Position within one loop of the script; phases are back to back.
Attitude At(double t) {
  Attitude a{};
  if (t < 25) {  // take-off roll
    a = {Lerp(0, 230, t / 25), 0, kFieldAltitude, 90, 0, 0, true, true, false, false};
  } else if (t < 100) {  // climb, turning gently onto 120
    const double f = (t - 25) / 75;
    a = {Lerp(230, 320, f),
         10,
         kFieldAltitude + 10 * (t - 25),
         Lerp(90, 120, f),
         8,
         9,
         t < 35,
         t < 45,
         false,
         false};
  } else if (t < 200) {  // cruise with turns
    const double phase = (t - 100) / 100 * 2 * kPi;
    const double bank = 25 * std::sin(phase);
    a = {420 + 15 * std::sin(phase * 3),
         1.5 * std::cos(phase),
         800 + 1.5 * std::sin(phase) * 100 / (2 * kPi),
         std::fmod(120 + 150 * (1 - std::cos(phase / 2)) + 360, 360),
         bank,
         2,
         false,
         false,
         false,
         false};
  } else if (t < 250) {  // bomb run, straight and level on 270
    a = {380, 0, 800, 270, 0, 0, false, false, t >= 215, t >= 235};
  } else if (t < 340) {  // descent
    const double f = (t - 250) / 90;
    a = {Lerp(380, 240, f),
         -8.3,
         Lerp(800, kFieldAltitude, f),
         Lerp(270, 90, f),
         -5,
         -6,
         t > 320,
         t > 310,
         false,
         false};
  } else {  // landing roll
    a = {Lerp(240, 0, (t - 340) / 20), 0, kFieldAltitude, 90, 0, 0, true, true, false, false};
  }
  return a;
}

// The four-state indicator steps -1, -0.6, -0.34, 1 every five seconds.
float FourState(double seconds) {
  static constexpr float kStates[] = {-1.0f, -0.6f, -0.34f, 1.0f};
  return kStates[static_cast<long>(seconds / 5) % 4];
}

}  // namespace

std::optional<float> FlightScript::Value(int parameter, double seconds) const {
  const double t = std::fmod(std::max(seconds, 0.0), kLoopSeconds);
  const Attitude a = At(t);
  switch (parameter) {
    case 30:
      return static_cast<float>(a.speedKmh);
    case 32:
      return static_cast<float>(a.climbMs);
    case 40:
      return static_cast<float>(a.altitudeM);
    case 42:
      return static_cast<float>(a.heading);
    case 50:
      return static_cast<float>(std::max(5.0, 100 - 0.05 * seconds));  // percent
    case 20:
      return static_cast<float>(10.0 + seconds / 3600);  // hours, minutes as fraction
    case 164:
      return a.bombBayOpen ? 1.0f : 0.0f;
    case 172:
      return static_cast<float>(a.speedKmh / 3.6);
    case 174:
      return a.gearDown ? 1.0f : 0.0f;
    case 214:
      return a.flapsDown ? 1.0f : 0.0f;
    case 216:
      return a.bombsGone ? 1.0f : 0.0f;
    case 82:
      return FourState(seconds);
    case 94:
      return static_cast<float>(a.roll);
    case 96:
      return static_cast<float>(a.pitch);
    case 98:
      return static_cast<float>(a.heading);
    default:
      return std::nullopt;
  }
}

const char* FlightScript::Phase(double seconds) const {
  const double t = std::fmod(std::max(seconds, 0.0), kLoopSeconds);
  if (t < 25) return "take-off";
  if (t < 100) return "climb";
  if (t < 200) return "cruise";
  if (t < 250) return "bomb run";
  if (t < 340) return "descent";
  return "landing";
}

}  // namespace korvan::sim
