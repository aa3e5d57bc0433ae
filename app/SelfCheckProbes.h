#pragma once

#include <cstdint>
#include <string>

#include "app/SelfCheck.h"
#include "platform/system/Ipv4Endpoint.h"

namespace korvan {

// The parts of `korvan --check`; each says its lines through machine.report and
// returns whether all was well.

inline constexpr std::uint32_t kSimulatorWaitMs = 1000;
inline constexpr std::uint32_t kLcdServiceWaitMs = 5000;

// One fast request to the simulator and its answer, waited for at most
// kSimulatorWaitMs.
bool ProbeSimulator(CheckedMachine& machine, const Ipv4Endpoint& simulator);

// Loads, starts and connects the LCD service and asks it for the first
// device, without drawing; disconnects and cleans up afterwards. Waits for
// that at most kLcdServiceWaitMs; a service that takes longer is said to
// hang, and its calls are left running in machine.serviceCallsLeftRunning.
bool ProbeLcdService(CheckedMachine& machine);

// Loads every icon file of the sets from `iconFolder`, as the program
// would choose it.
bool ProbeIcons(CheckedMachine& machine, const std::filesystem::path& iconFolder);

}  // namespace korvan
