// The status page's picture load: the 55 icon items of the five aircraft
// icon sets at their places, one set's 11 shown, the other 44 hidden but
// updated, under a running streaming text. Reports time and heap
// allocations per frame, with the band still and with the band moving.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/AllocationCounter.h"
#include "lcd/LcdIconItem.h"
#include "lcd/LcdPage.h"
#include "lcd/LcdStreamingText.h"
#include "platform/images/IconImage.h"
#include "platform/system/Clock.h"
#include "screens/IconLayout.h"

namespace korvan {
namespace {

class SteppedClock final : public Clock {
 public:
  std::uint32_t TickCount() override { return now; }
  void Sleep(std::uint32_t milliseconds) override { now += milliseconds; }

  std::uint32_t now = 1;
};

// A picture with lit, dark and see-through pixels, as the icon files have.
std::unique_ptr<IconImage> MakeIcon(int width, int seed) {
  auto icon = std::make_unique<IconImage>();
  icon->width = width;
  icon->height = kIconHeight;
  for (int y = 0; y < kIconHeight; ++y) {
    for (int x = 0; x < width; ++x) {
      const int kind = (x * 7 + y * 3 + seed) % 5;
      icon->color.push_back(kind < 2 ? 255 : 0);
      icon->mask.push_back(kind < 3 ? 0 : 255);
    }
  }
  return icon;
}

struct StatusPage {
  StatusPage() : page(clock), ticker(clock) {
    page.Initialize();
    for (std::size_t set = 0; set < kIconSets; ++set) {
      for (std::size_t indicator = 0; indicator < kIndicatorCount; ++indicator) {
        const IndicatorPlace& place = kIconSetLayouts[set].indicators[indicator];
        for (int state = 0; state < kIndicatorStates[indicator]; ++state) {
          icons.push_back(MakeIcon(place.width, static_cast<int>(icons.size())));
          auto item = std::make_unique<LcdIconItem>();
          item->Initialize();
          item->SetOrigin(0, 0);
          item->SetSize(place.width, kIconHeight);
          item->SetIcon(icons.back().get(), place.width, kIconHeight);
          item->SetKind(LcdItemKind::Icon);
          item->SetOrigin(place.x, 0);
          item->SetVisible(set == 0);  // one set's 11 icons shown
          page.AddItem(item.get());
          items.push_back(std::move(item));
        }
      }
    }
    ticker.Initialize();
    ticker.SetOrigin(0, 0);
    ticker.SetFontFaceName(u"Microsoft Sans Serif");
    ticker.SetText(u" ");
    ticker.SetGapText(u"       ");
    ticker.SetSize(160, 13);
    ticker.SetFontPointSize(8);
    ticker.SetLogicalOrigin(0, -2);
    ticker.SetKind(LcdItemKind::StreamingText);
    ticker.SetOrigin(0, 30);
    ticker.SetText(u"SEAFIRE F MK III  ALT 1234 M  SPD 456 KM/H  HDG 270  FUEL 321 L");
    page.AddItem(&ticker);
  }

  void Frame(std::uint32_t milliseconds) {
    clock.Sleep(milliseconds);
    page.Advance(clock.now);
    page.Render();
    benchmark::DoNotOptimize(page.GetFrame());
  }

  SteppedClock clock;
  LcdPage page;
  LcdStreamingText ticker;
  std::vector<std::unique_ptr<IconImage>> icons;
  std::vector<std::unique_ptr<LcdIconItem>> items;
};

// `cycle` ms between frames: 0 keeps the band still, 100 is the program's
// pace, at which the band jumps 7 pixels about once a second.
void RenderFrames(benchmark::State& state, std::uint32_t cycle) {
  StatusPage screen;
  // Past the rebuild and the start rest, and once round the band, so every
  // glyph is rasterised and every piece has been reused before counting.
  for (int i = 0; i < 1000; ++i) screen.Frame(100);
  const std::uint64_t allocationsBefore = bench::AllocationCount();
  std::uint64_t frames = 0;
  for (auto _ : state) {
    screen.Frame(cycle);
    ++frames;
  }
  state.counters["allocs/frame"] =
      static_cast<double>(bench::AllocationCount() - allocationsBefore) /
      static_cast<double>(frames);
}

void BM_StatusIconsAndTickerStill(benchmark::State& state) {
  RenderFrames(state, 0);
}
void BM_StatusIconsAndTickerMoving(benchmark::State& state) {
  RenderFrames(state, 100);
}

BENCHMARK(BM_StatusIconsAndTickerStill);
BENCHMARK(BM_StatusIconsAndTickerMoving);

}  // namespace
}  // namespace korvan
