#pragma once

#include <cstdint>

namespace korvan {

// Where the output's link to the LCD stands, as a person needs to know it.
enum class LcdLinkState {
  kStarting,       // nothing known yet
  kServiceDown,    // the service did not start (or could not be loaded)
  kConnectFailed,  // the service refuses the connection
  kNoDevice,       // connected, no LCD present
  kOpenFailed,     // an LCD is present but does not open
  kOpen,           // frames go to the LCD
  kDeviceLost,     // the LCD went away; reconnecting
};

// Says each change of the link's state once on standard error, however many
// cycles the state lasts; the first open is the normal case and goes unsaid.
class LcdLinkReport {
 public:
  void Enter(LcdLinkState state, std::int32_t code = 0);

 private:
  LcdLinkState state_ = LcdLinkState::kStarting;
  std::int32_t code_ = 0;
  bool lost_ = false;  // the LCD went since it was last open
};

}  // namespace korvan
