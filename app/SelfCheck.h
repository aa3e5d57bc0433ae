#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "lcdlink/LcdManagerService.h"
#include "platform/system/Clock.h"
#include "platform/system/DatagramSocket.h"
#include "platform/system/NativePath.h"

namespace korvan {

// What `korvan --check` works with, injected so it can be run against fakes.
struct SelfCheckSeams {
  Clock& clock;
  DatagramSocket& socket;
  // Loads from `serviceLibrary`; when that is empty, `serviceRefusal` (or
  // `serviceOtherWidth`, a whole line) says why no library was found.
  LcdManagerService& service;
  NativePath serviceLibrary;
  std::string serviceRefusal;
  std::string serviceOtherWidth;
  // Said with the service's line: how the library was found, when that is
  // worth knowing (a fallback instead of the registered service).
  std::string serviceNote;
  // Takes each line of the report (no line end) as soon as it is known.
  std::function<void(std::string_view)> say;
  // The folder the icon paths start with, as the program would choose it.
  std::filesystem::path iconFolder = "images";
};

// For the person whose display stays blank: reads the configuration file of
// the current folder as the program does, then asks the simulator once,
// tries the LCD service and loads the icons, each said on a line that
// starts with OK or FAIL and says what to do. A bad configuration file ends
// the check. Returns 0 when everything is fine, else 1. Bounded in time:
// the one wait is for the simulator's answer, at most kSimulatorWaitMs.
int RunSelfCheck(SelfCheckSeams& seams);

// The check on this machine: the real clock, a UDP socket, the LCD service
// the program would load; the report goes to standard output.
int RunSelfCheckHere();

}  // namespace korvan
