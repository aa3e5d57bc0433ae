#pragma once

#include <stdlib.h>

#include <cstdint>
#include <string>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::testing {

// Settings as the plug-in reads them at Startup: all unset but the panel,
// which is off unless a test asks for it.
inline void ResetVirtualLcdEnvironment() {
  for (const char* name : {"LCD_VIRTUAL_TERMINAL", "LCD_VIRTUAL_RECORD", "LCD_VIRTUAL_RECORD_MAX",
                           "LCD_VIRTUAL_BUTTONS", "LCD_VIRTUAL_FAULTS"}) {
    unsetenv(name);
  }
  setenv("LCD_VIRTUAL_HTTP", "off", 1);
}

// Loopback ports for panel tests: KORVAN_TEST_PORT_BASE (18160) + offset.
inline int TestPort(int offset) {
  const char* base = getenv("KORVAN_TEST_PORT_BASE");
  return (base != nullptr ? std::stoi(base) : 18160) + offset;
}

// A frame block whose pixel i is `fill(i)`.
template <typename Fill>
std::string FrameBlock(Fill fill) {
  std::string frame(LCD_FRAME_BYTES, '\0');
  frame[0] = 1;
  for (int i = 0; i < LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT; ++i) {
    frame[LCD_FRAME_HEADER_BYTES + i] = static_cast<char>(fill(i));
  }
  return frame;
}

}  // namespace korvan::testing
