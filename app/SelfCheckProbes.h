#pragma once

#include <cstdint>
#include <string>

#include "app/SelfCheck.h"
#include "platform/system/Ipv4Endpoint.h"

namespace korvan {

// The parts of `korvan --check`; each says its lines through seams.say and
// returns whether all was well.

inline constexpr std::uint32_t kSimulatorWaitMs = 1000;

// One fast request to the simulator and its answer, waited for at most
// kSimulatorWaitMs.
bool ProbeSimulator(SelfCheckSeams& seams, const Ipv4Endpoint& simulator);

// Loads, starts and connects the LCD service and asks it for the first
// device, without drawing; disconnects and cleans up afterwards.
bool ProbeLcdService(SelfCheckSeams& seams);

// Loads every icon file of the sets from the current folder.
bool ProbeIcons(SelfCheckSeams& seams);

}  // namespace korvan
