// A page of 20 one-line text items rendered and fetched as a frame, once
// with the texts unchanged and once with every text changing each frame.
// Reports time and heap allocations per frame.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/AllocationCounter.h"
#include "lcd/LcdPage.h"
#include "lcd/LcdTextItem.h"
#include "platform/system/Clock.h"

namespace korvan {
namespace {

class StillClock final : public Clock {
 public:
  std::uint32_t TickCount() override { return 1; }
  void Sleep(std::uint32_t) override {}
};

struct TwentyTextPage {
  TwentyTextPage() : page(clock) {
    page.Initialize();
    for (int i = 0; i < 20; ++i) {
      auto item = std::make_unique<LcdTextItem>();
      item->Initialize();
      item->SetFontFaceName(u"Microsoft Sans Serif");
      item->SetFontPointSize(i % 3 == 0 ? 12 : (i % 3 == 1 ? 8 : 7));
      item->SetBackgroundMode(2);
      item->SetOrigin((i % 4) * 40, (i / 4) * 8);
      item->SetSize(40, 12);
      item->SetLogicalOrigin(0, -2);
      page.AddItem(item.get());
      items.push_back(std::move(item));
    }
  }

  StillClock clock;
  LcdPage page;
  std::vector<std::unique_ptr<LcdTextItem>> items;
};

void RenderFrames(benchmark::State& state, bool changing) {
  TwentyTextPage screen;
  char16_t texts[20][8] = {};
  std::uint32_t frame = 0;
  auto setTexts = [&] {
    for (int i = 0; i < 20; ++i) {
      // Six digits that all move when `changing`, the same ones otherwise.
      std::uint32_t value = (changing ? frame * 7919u : 0u) + static_cast<std::uint32_t>(i) * 1117u;
      for (int d = 5; d >= 0; --d, value /= 10)
        texts[i][d] = static_cast<char16_t>(u'0' + value % 10);
      screen.items[i]->SetText(texts[i]);
    }
  };
  setTexts();
  screen.page.Render();  // glyphs rasterised and texts measured once
  const std::uint64_t allocationsBefore = bench::AllocationCount();
  std::uint64_t frames = 0;
  for (auto _ : state) {
    ++frame;
    setTexts();
    screen.page.Advance(frame);
    screen.page.Render();
    benchmark::DoNotOptimize(screen.page.GetFrame());
    ++frames;
  }
  state.counters["allocs/frame"] =
      static_cast<double>(bench::AllocationCount() - allocationsBefore) /
      static_cast<double>(frames);
}

void BM_PageOfTwentyTextsUnchanged(benchmark::State& state) {
  RenderFrames(state, false);
}
void BM_PageOfTwentyTextsChanging(benchmark::State& state) {
  RenderFrames(state, true);
}

BENCHMARK(BM_PageOfTwentyTextsUnchanged);
BENCHMARK(BM_PageOfTwentyTextsChanging);

}  // namespace
}  // namespace korvan

BENCHMARK_MAIN();
