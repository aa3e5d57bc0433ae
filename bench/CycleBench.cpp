// The display cycle without its waits: both exchanges against a real UDP
// peer on loopback that answers during the (fake) wait, plus the cycle's own
// steps. Reports CPU time and heap allocations per cycle.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "app/DisplayCycle.h"
#include "app/IdleCycleSteps.h"
#include "app/SimulatorAnswers.h"
#include "bench/AllocationCounter.h"
#include "platform/UdpSocket.h"

namespace korvan {
namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

// A clock whose waits are where the peer answers; no real time passes.
class PeerAnsweringClock final : public Clock {
 public:
  PeerAnsweringClock(UdpSocket& peer, UdpSocket& link) : peer_(peer), link_(link) {}
  std::uint32_t TickCount() override { return now_; }
  void Sleep(std::uint32_t milliseconds) override {
    now_ += milliseconds;
    if (milliseconds != SimLink::kAnswerWaitMs) return;
    char request[256];
    if (!peer_.WaitReadable(1000)) return;
    const ReceiveResult got = peer_.Receive(request);
    if (got.status != ReceiveStatus::kReceived) return;
    const bool fast = got.size > 4 && request[2] == '3';
    ++tick_;
    const int length =
        fast ? std::snprintf(answer_, sizeof answer_,
                             "A/30\\%d.5/32\\-1.25/40\\%d/42\\270/50\\85.3\n", 200 + tick_ % 50,
                             1000 + tick_ % 7)
             : std::snprintf(answer_, sizeof answer_,
                             "A/20\\10.%d/164\\0/172\\1/174\\1/214\\0/216\\0/82\\-0.6/94\\1.5/96\\"
                             "-2.25/98\\181/22\\Bf-109G-2\n",
                             tick_ % 100);
    peer_.SendTo(got.sender, std::span<const char>(answer_, static_cast<std::size_t>(length)));
    link_.WaitReadable(1000);
  }

 private:
  UdpSocket& peer_;
  UdpSocket& link_;
  std::uint32_t now_ = 0;
  int tick_ = 0;
  char answer_[256] = {};
};

void BM_DisplayCycleWithoutWaits(benchmark::State& state) {
  std::string error;
  auto link = UdpSocket::Create(error);
  auto peer = UdpSocket::Create(error);
  if (!link || !peer || !peer->Bind({kLoopback, 0}, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  PeerAnsweringClock clock(*peer, *link);
  SimLink simLink(*link, clock, peer->LocalEndpoint());
  Configuration configuration;
  configuration.sleep = 100;
  AppState appState = InitialAppState(configuration);
  FlightSample sample;
  IdleCycleSteps steps;
  std::atomic<bool> stop{false};
  DisplayCycle cycle(simLink, clock, configuration, appState, sample, steps, stop);

  cycle.RunOnce();  // warm up
  const std::uint64_t allocationsBefore = bench::AllocationCount();
  for (auto _ : state) {
    cycle.RunOnce();
    appState.resetRequested = true;
  }
  state.counters["allocations/cycle"] =
      benchmark::Counter(static_cast<double>(bench::AllocationCount() - allocationsBefore) /
                         static_cast<double>(state.iterations()));
  benchmark::DoNotOptimize(sample);
}
BENCHMARK(BM_DisplayCycleWithoutWaits)->MeasureProcessCPUTime()->UseRealTime();

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
