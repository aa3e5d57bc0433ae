#pragma once

// A display cycle on the real screens, the scripted LCD service and a socket
// whose datagrams a test queues: what the cycle tests and the answer fuzzer share.

#include <atomic>
#include <deque>
#include <filesystem>
#include <string>
#include <utility>

#include "app/DisplayCycle.h"
#include "app/ScreenSteps.h"
#include "screens/IconSets.h"
#include "screens/ScreenBuilder.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {

inline constexpr std::uint32_t kSimulatorAddress = 0x7F000001;

// Datagrams with their senders, in order; one past the buffer is dropped whole.
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

struct CycleRig {
  // Icons are loaded from `iconRoot`'s images/ when one is given.
  explicit CycleRig(const std::filesystem::path& iconRoot = {})
      : table(ScriptedService::Table()), service(table) {
    state = InitialAppState(configuration);
    const auto previous = std::filesystem::current_path();
    if (!iconRoot.empty()) std::filesystem::current_path(iconRoot);
    BuildScreens(facade, items);
    BuildStatusPage(facade, items, icons);
    std::filesystem::current_path(previous);
    ShowFirstFrame(facade);
  }

  FakeClock clock{1000};
  LcdServiceTable table;
  LcdManagerService service;
  LcdFacade facade{clock, service};
  ScreenItems items;
  LoadedIcons icons;
  Configuration configuration{6060, "127.0.0.1", 100, 90, 1000, 300};
  AppState state;
  FlightSample sample{300, 5.5f, 1000, 271.9f, 80,     10.5f, 1,      0,
                      1,   0,    0,    -0.6f,  -12.5f, 3.25f, 271.5f, "Bf-109G-2"};
  QueuedSocket socket;
  SimLink link{socket, clock, Ipv4Endpoint{kSimulatorAddress, 6060}};
  ScreenSteps steps{AppContext{facade, items, state, sample, configuration}};
  std::atomic<bool> stop{false};
  DisplayCycle cycle{link, clock, configuration, state, sample, steps, stop};
};

}  // namespace korvan::testing
