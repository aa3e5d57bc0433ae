// Datagrams, as the simulator's or a forger's, through the link and every
// page: the input is records split at 0x1E, each a control byte and a
// datagram. Control bit 0: sent by a forger; bit 1: a display cycle follows,
// with the buttons in bits 2 to 5 held. Nothing may crash, leak or leave the
// aircraft name unterminated.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>

#include "app/DisplayCycle.h"
#include "app/ScreenSteps.h"
#include "screens/IconSets.h"
#include "screens/ScreenBuilder.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

constexpr std::uint32_t kSimulator = 0x7F000001;

struct QueuedSocket final : DatagramSocket {
  bool SendTo(const Ipv4Endpoint&, std::span<const char>) override { return true; }
  ReceiveResult Receive(std::span<char> buffer) override {
    if (queue.empty()) return {};
    const auto [from, text] = std::move(queue.front());
    queue.pop_front();
    if (text.size() > buffer.size()) return {ReceiveStatus::kOversized, 0, {from, 6060}};
    text.copy(buffer.data(), buffer.size());
    return {ReceiveStatus::kReceived, text.size(), {from, 6060}};
  }
  std::deque<std::pair<std::uint32_t, std::string>> queue;
};

// Built once: the screens are the costly part and hold no state a run needs reset.
struct World {
  World() : table(testing::ScriptedService::Table()), service(table) {
    BuildScreens(facade, items);
    BuildStatusPage(facade, items, icons);
    ShowFirstFrame(facade);
  }
  testing::FakeClock clock{1000};
  LcdServiceTable table;
  LcdManagerService service;
  LcdFacade facade{clock, service};
  ScreenItems items;
  LoadedIcons icons;
  Configuration configuration{6060, "127.0.0.1", 1, 90, 1000, 300};
  AppState state;
  FlightSample sample;
  QueuedSocket socket;
  SimLink link{socket, clock, Ipv4Endpoint{kSimulator, 6060}};
  ScreenSteps steps{AppContext{facade, items, state, sample, configuration}};
  std::atomic<bool> stop{false};
  DisplayCycle cycle{link, clock, configuration, state, sample, steps, stop};
};

}  // namespace
}  // namespace korvan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static korvan::World world;
  world.state = korvan::InitialAppState(world.configuration);
  world.sample = {};
  world.socket.queue.clear();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::size_t at = 0; at < input.size();) {
    const std::size_t end = std::min(input.find('\x1E', at), input.size());
    const std::string_view record = input.substr(at, end - at);
    at = end + 1;
    if (record.empty()) continue;
    const auto control = static_cast<std::uint8_t>(record[0]);
    world.socket.queue.emplace_back((control & 1) != 0 ? 0x7F000002 : korvan::kSimulator,
                                    std::string(record.substr(1)));
    if ((control & 2) == 0) continue;
    korvan::testing::ScriptedService::buttons = (control >> 2) & 0xF;
    world.cycle.RunOnce();
    korvan::testing::ScriptedService::Take();
  }
  world.cycle.RunOnce();
  if (std::memchr(world.sample.aircraftName, '\0', sizeof world.sample.aircraftName) == nullptr)
    __builtin_trap();
  return 0;
}
