// Drawing loads rendered and fetched as frames (see BenchScenes.h): a page of
// 20 texts unchanged and changing, the status page's icons with the band
// still and moving. Reports time and heap allocations per frame.

#include <benchmark/benchmark.h>

#include "bench/AllocationCounter.h"
#include "bench/BenchScenes.h"

namespace korvan::bench {
namespace {

template <typename Scene, typename Step>
void RenderFrames(benchmark::State& state, Step step) {
  Scene scene;
  const std::uint64_t allocationsBefore = AllocationCount();
  std::uint64_t frames = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(step(scene));
    ++frames;
  }
  state.counters["allocs/frame"] =
      static_cast<double>(AllocationCount() - allocationsBefore) / static_cast<double>(frames);
}

void BM_PageOfTwentyTextsUnchanged(benchmark::State& state) {
  RenderFrames<TwentyTextPage>(state, [](TwentyTextPage& page) { return page.Frame(false); });
}
void BM_PageOfTwentyTextsChanging(benchmark::State& state) {
  RenderFrames<TwentyTextPage>(state, [](TwentyTextPage& page) { return page.Frame(true); });
}
void BM_StatusIconsAndTickerStill(benchmark::State& state) {
  RenderFrames<StatusPage>(state, [](StatusPage& page) { return page.Frame(0); });
}
void BM_StatusIconsAndTickerMoving(benchmark::State& state) {
  RenderFrames<StatusPage>(state, [](StatusPage& page) { return page.Frame(100); });
}

BENCHMARK(BM_PageOfTwentyTextsUnchanged);
BENCHMARK(BM_PageOfTwentyTextsChanging);
BENCHMARK(BM_StatusIconsAndTickerStill);
BENCHMARK(BM_StatusIconsAndTickerMoving);

}  // namespace
}  // namespace korvan::bench

BENCHMARK_MAIN();
