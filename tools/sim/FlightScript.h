#pragma once

#include <optional>
#include <string>

namespace korvan::sim {

// A scripted flight that loops every kLoopSeconds: take-off, climb, cruise
// with turns, a bomb run, descent and landing. Values change smoothly; the
// indicator parameters step through the states the display knows.
class FlightScript {
 public:
  static constexpr double kLoopSeconds = 360;

  explicit FlightScript(std::string aircraftName) : aircraftName_(std::move(aircraftName)) {}

  // The value of a numeric parameter `seconds` after the start, or nothing
  // for a parameter the stand-in does not know (22, the name, included).
  std::optional<float> Value(int parameter, double seconds) const;

  // The phase of the flight at that time, for the log.
  const char* Phase(double seconds) const;

  const std::string& aircraftName() const { return aircraftName_; }

 private:
  std::string aircraftName_;
};

}  // namespace korvan::sim
