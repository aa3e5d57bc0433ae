#pragma once

#include <cstdint>

namespace korvan {

inline constexpr char kConfigurationFileName[] = "LCD_Korvan.ini";

// The settings read once at start-up. The calculator steps `speed` and
// `altitude` in place, so they are the calculator's live inputs too.
struct Configuration {
  std::int32_t port = 0;  // 1..65535
  // The dotted address exactly as it stood after "=", its line end included;
  // always zero-terminated.
  char address[16] = {};
  std::int32_t sleep = 0;      // pause at the end of each cycle, ms, 1..65535
  std::int32_t countdown = 0;  // countdown length in minutes, 1..65535
  std::int32_t altitude = 0;   // calculator start altitude, m, 1..65535
  std::int32_t speed = 0;      // calculator start speed, km/h, 1..65535
};

}  // namespace korvan
