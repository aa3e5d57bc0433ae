// Datagrams, the simulator's or a forger's, through the link and every page: records split at 0x1E,
// a control byte then a datagram. Control bit 0: from a forger; bit 1: a cycle follows, the buttons
// of bits 2 to 5 held. Nothing may crash, leak or leave the aircraft name unterminated.
#include <cstring>

#include "tests/app/CycleRig.h"

namespace {

// The screens are costly and keep no run's state. Built before the first input
// so fontconfig's start-up allocations (some never freed) are not a leak.
korvan::testing::CycleRig& Rig() {
  static korvan::testing::CycleRig rig;
  return rig;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Rig().cycle.RunOnce();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using korvan::testing::ScriptedService;
  korvan::testing::CycleRig& rig = Rig();
  rig.state = korvan::InitialAppState(rig.configuration);
  rig.sample = {};
  rig.socket.queue.clear();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::size_t at = 0; at < input.size();) {
    const std::size_t end = std::min(input.find('\x1E', at), input.size());
    const std::string_view record = input.substr(at, end - at);
    at = end + 1;
    if (record.empty()) continue;
    const auto control = static_cast<std::uint8_t>(record[0]);
    rig.socket.queue.emplace_back((control & 1) ? 0x7F000002 : korvan::testing::kSimulatorAddress,
                                  std::string(record.substr(1)));
    if ((control & 2) == 0) continue;
    ScriptedService::buttons = (control >> 2) & 0xF;
    rig.cycle.RunOnce();
    ScriptedService::Take();
  }
  rig.cycle.RunOnce();
  if (std::memchr(rig.sample.aircraftName, '\0', sizeof rig.sample.aircraftName) == nullptr)
    __builtin_trap();
  return 0;
}
