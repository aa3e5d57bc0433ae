#include "lcdlink/LcdLinkReport.h"

#include <cstdio>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan {

void LcdLinkReport::Enter(LcdLinkState state, std::int32_t code) {
  if (state == state_ && code == code_) return;
  const LcdLinkState before = state_;
  state_ = state;
  code_ = code;
  const int shown = static_cast<int>(code);
  switch (state) {
    case LcdLinkState::kStarting:
      break;
    case LcdLinkState::kServiceDown:
      // A library that does not load is named by the loader already.
      if (code != kLcdServerUnavailable && code != kLcdServiceNotActive) {
        std::fprintf(stderr, "korvan: the LCD service did not start (code %d)\n", shown);
      }
      break;
    case LcdLinkState::kConnectFailed:
      std::fprintf(stderr, "korvan: cannot connect to the LCD service (code %d); retrying\n",
                   shown);
      break;
    case LcdLinkState::kNoDevice:
      std::fputs("korvan: no LCD present; waiting for one\n", stderr);
      break;
    case LcdLinkState::kOpenFailed:
      std::fprintf(stderr, "korvan: the LCD does not open (code %d); retrying\n", shown);
      break;
    case LcdLinkState::kOpen:
      if (lost_) {
        std::fputs("korvan: the LCD is back\n", stderr);
      } else if (before != LcdLinkState::kStarting) {
        std::fputs("korvan: the LCD is open\n", stderr);
      }
      lost_ = false;
      break;
    case LcdLinkState::kDeviceLost:
      lost_ = true;
      std::fprintf(stderr, "korvan: the LCD went away (code %d); reconnecting\n", shown);
      break;
  }
}

}  // namespace korvan
