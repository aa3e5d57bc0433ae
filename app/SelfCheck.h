#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include "lcdlink/LcdManagerService.h"
#include "platform/system/Clock.h"
#include "platform/system/DatagramSocket.h"
#include "platform/system/NativePath.h"

namespace korvan {

// The machine `korvan --check` looks at and where its report goes; on this
// machine the real ones (RunSelfCheckHere), elsewhere stand-ins.
struct CheckedMachine {
  // Times the wait for the simulator's answer.
  Clock& clock;
  // Times the LCD service's calls; the same clock on a real machine.
  Clock& serviceClock;
  DatagramSocket& socket;
  // Loads from `serviceLibrary`; when that is empty, `serviceRefusal` (or
  // `serviceOtherWidth`, a whole line) says why no library was found.
  LcdManagerService& service;
  NativePath serviceLibrary{};
  std::string serviceRefusal{};
  std::string serviceOtherWidth{};
  // Said with the service's line: how the library was found, when that is
  // worth knowing (a fallback instead of the registered service).
  std::string serviceNote{};
  // Takes each line of the report (no line end) as soon as it is known.
  std::function<void(std::string_view)> report;
  // The program's folder: an installed tree's icon sets and example
  // LCD_Korvan.ini are found from it, as the program finds them.
  std::filesystem::path programFolder{};
  // The LCD service's calls when the check stopped waiting for them: a
  // thread still inside the service, which must stay loaded until it ends.
  std::thread serviceCallsLeftRunning{};
};

// For the person whose display stays blank: reads the configuration file of
// the current folder as the program does, then asks the simulator once,
// tries the LCD service and loads the icons, each said on a line that
// starts with OK or FAIL and says what to do. A bad configuration file ends
// the check. Returns 0 when everything is fine, else 1. Bounded in time:
// the simulator's answer is waited for at most kSimulatorWaitMs, the LCD
// service's calls at most kLcdServiceWaitMs.
int RunSelfCheck(CheckedMachine& machine);

// The check on this machine: the real clock, a UDP socket, the LCD service
// the program would load; the report goes to standard output.
int RunSelfCheckHere();

}  // namespace korvan
