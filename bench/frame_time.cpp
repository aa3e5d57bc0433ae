// The drawing loads of lcd_bench timed without a benchmark library, so the
// same loads run on every backend: each for about a second after a warm-up,
// printed as microseconds per frame, one line per load.

#include <chrono>
#include <cstdio>

#include "bench/BenchScenes.h"

namespace korvan::bench {
namespace {

template <typename Scene, typename Step>
void Time(const char* name, Step step) {
  using Clock = std::chrono::steady_clock;
  Scene scene;
  for (int i = 0; i < 200; ++i) step(scene);
  long frames = 0;
  const Clock::time_point start = Clock::now();
  Clock::duration spent{};
  // Whole batches, so reading the clock costs little against the frames.
  while (spent < std::chrono::seconds(1)) {
    for (int i = 0; i < 100; ++i) step(scene);
    frames += 100;
    spent = Clock::now() - start;
  }
  const double micros = std::chrono::duration<double, std::micro>(spent).count();
  std::printf("%-32s %8.2f us/frame (%ld frames)\n", name, micros / static_cast<double>(frames),
              frames);
}

}  // namespace
}  // namespace korvan::bench

int main() {
  using namespace korvan::bench;
  Time<TwentyTextPage>("twenty texts unchanged", [](TwentyTextPage& p) { p.Frame(false); });
  Time<TwentyTextPage>("twenty texts changing", [](TwentyTextPage& p) { p.Frame(true); });
  Time<StatusPage>("status icons, band still", [](StatusPage& p) { p.Frame(0); });
  Time<StatusPage>("status icons, band moving", [](StatusPage& p) { p.Frame(100); });
  return 0;
}
