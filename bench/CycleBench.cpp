// The whole display cycle without its waits: both exchanges against a real
// UDP peer on loopback that answers during the (fake) wait, the page block,
// the button step and the frame step through the virtual LCD plug-in.
// Reports CPU time and heap allocations per cycle, with the simulator's
// values changing every cycle and with them steady.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/AppContext.h"
#include "app/DisplayCycle.h"
#include "app/ScreenSteps.h"
#include "app/SimulatorAnswers.h"
#include "bench/AllocationCounter.h"
#include "platform/system/UdpSocket.h"
#include "screens/IconSets.h"
#include "screens/ScreenBuilder.h"

namespace korvan {
namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

// A clock whose waits are where the peer answers; no real time passes.
class PeerAnsweringClock final : public Clock {
 public:
  PeerAnsweringClock(UdpSocket& peer, UdpSocket& link, bool changing)
      : peer_(peer), link_(link), changing_(changing) {}
  std::uint32_t TickCount() override { return now_; }
  void Sleep(std::uint32_t milliseconds) override {
    now_ += milliseconds;
    if (milliseconds != SimLink::kAnswerWaitMs) return;
    char request[256];
    if (!peer_.WaitReadable(1000)) return;
    const ReceiveResult got = peer_.Receive(request);
    if (got.status != ReceiveStatus::kReceived) return;
    const bool fast = got.size > 4 && request[2] == '3';
    const int tick = changing_ ? ++tick_ : 0;
    const int length =
        fast ? std::snprintf(answer_, sizeof answer_,
                             "A/30\\%d.5/32\\-1.25/40\\%d/42\\%d/50\\85.3\n", 200 + tick % 50,
                             1000 + tick % 7, tick % 360)
             : std::snprintf(answer_, sizeof answer_,
                             "A/20\\10.%d/164\\0/172\\1/174\\%d/214\\0/216\\0/82\\-0.6/94\\%d.5/"
                             "96\\-2.25/98\\181/22\\Bf-109G-2\n",
                             tick % 100, tick % 2, tick % 30);
    peer_.SendTo(got.sender, std::span<const char>(answer_, static_cast<std::size_t>(length)));
    link_.WaitReadable(1000);
  }

 private:
  UdpSocket& peer_;
  UdpSocket& link_;
  bool changing_;
  std::uint32_t now_ = 1000;
  int tick_ = 0;
  char answer_[256] = {};
};

void RunCycles(benchmark::State& state, bool changing, bool statusPage) {
  // The plug-in beside the programs, with its web panel off.
  setenv("LCD_VIRTUAL_HTTP", "off", 1);
  std::string error;
  auto link = UdpSocket::Create(error);
  auto peer = UdpSocket::Create(error);
  if (!link || !peer || !peer->Bind({kLoopback, 0}, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  PeerAnsweringClock clock(*peer, *link, changing);
  LcdManagerService service(std::filesystem::path(KORVAN_VIRTUAL_LCD_PLUGIN));
  {
    LcdFacade facade(clock, service);
    ScreenItems items;
    LoadedIcons icons;
    BuildScreens(facade, items);
    BuildStatusPage(facade, items, icons);
    SimLink simLink(*link, clock, peer->LocalEndpoint());
    Configuration configuration;
    configuration.sleep = 100;
    configuration.countdown = 30;
    configuration.speed = 300;
    configuration.altitude = 1000;
    AppState appState = InitialAppState(configuration);
    FlightSample sample;
    ShowFirstFrame(facade);
    if (statusPage) {
      facade.ShowPage(static_cast<int>(ScreenPage::kStatus));
      appState.mainPageActive = false;
      appState.statusPageActive = true;
    }
    ScreenSteps steps(AppContext{facade, items, appState, sample, configuration});
    std::atomic<bool> stop{false};
    DisplayCycle cycle(simLink, clock, configuration, appState, sample, steps, stop);
    for (int i = 0; i < 20; ++i) cycle.RunOnce();  // warm up: texts reach their sizes
    if (!facade.IsDeviceOpen()) state.SkipWithError("the virtual LCD did not open");

    const std::uint64_t allocationsBefore = bench::AllocationCount();
    for (auto _ : state) cycle.RunOnce();
    state.counters["allocations/cycle"] =
        benchmark::Counter(static_cast<double>(bench::AllocationCount() - allocationsBefore) /
                           static_cast<double>(state.iterations()));
  }
  service.Cleanup();
}

void BM_MainPageCycleValuesChanging(benchmark::State& state) {
  RunCycles(state, true, false);
}
void BM_MainPageCycleValuesSteady(benchmark::State& state) {
  RunCycles(state, false, false);
}
void BM_StatusPageCycleValuesChanging(benchmark::State& state) {
  RunCycles(state, true, true);
}
BENCHMARK(BM_MainPageCycleValuesChanging)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_MainPageCycleValuesSteady)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_StatusPageCycleValuesChanging)->MeasureProcessCPUTime()->UseRealTime();

void BM_ParseSlowAnswer(benchmark::State& state) {
  FlightSample sample;
  const char* answer =
      "A/20\\10.25/164\\0/172\\1/174\\1/214\\0/216\\0/82\\-0.6/94\\1.5/96\\-2.25/98\\181/"
      "22\\Bf-109G-2\n";
  for (auto _ : state) benchmark::DoNotOptimize(ParseSlowAnswer(answer, sample));
}
BENCHMARK(BM_ParseSlowAnswer);

}  // namespace
}  // namespace korvan

BENCHMARK_MAIN();
