// Drawing a page whose texts did not change must not touch the heap: the
// screens re-send their values every cycle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <new>
#include <vector>

#include "lcd/LcdAnimatedBitmap.h"
#include "lcd/LcdIconItem.h"
#include "lcd/LcdPage.h"
#include "lcd/LcdProgressBar.h"
#include "lcd/LcdScrollingText.h"
#include "lcd/LcdStatus.h"
#include "lcd/LcdStreamingText.h"
#include "lcd/LcdTextItem.h"
#include "tests/lcd/LcdTestImages.h"
#include "tests/platform/FontPins.h"
#include "tests/support/FakeClock.h"

namespace {
long long allocations = 0;

void* Allocate(std::size_t size) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

// Every form of new and delete is replaced, so the sanitizers see matching
// pairs.
void* operator new(std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}

namespace korvan::testing {
namespace {

TEST(LcdAllocation, UnchangedTextsCostNoAllocationPerFrame) {
  PinTestFonts();
  FakeClock clock;
  LcdPage page(clock);
  ASSERT_EQ(page.Initialize(), kStatusOk);
  std::vector<std::unique_ptr<LcdTextItem>> items;
  for (int i = 0; i < 20; ++i) {
    auto item = std::make_unique<LcdTextItem>();
    ASSERT_EQ(item->Initialize(), kStatusOk);
    item->SetOrigin((i % 4) * 40, (i / 4) * 8);
    item->SetSize(40, 12);
    item->SetBackgroundMode(i % 2 == 0 ? 2 : 1);
    item->SetWordWrap(i % 3 == 0);
    page.AddItem(item.get());
    items.push_back(std::move(item));
  }
  const char16_t* texts[] = {u"123.4", u"ALT", u"km/h", u"\u00b0C 15"};
  auto cycle = [&](std::uint32_t now) {
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->SetText(texts[i % 4]);
    page.Advance(now);
    ASSERT_EQ(page.Render(), kStatusOk);
    ASSERT_NE(page.GetFrame(), nullptr);
  };
  cycle(1);  // measures and rasterises the glyphs once
  const long long before = allocations;
  for (std::uint32_t now = 2; now < 50; ++now) cycle(now);
  EXPECT_EQ(allocations - before, 0);
}

// Pictures, a bar whose value moves, and both moving texts, running through
// frame changes, slides, restarts of the slide and piece rotations.
TEST(LcdAllocation, RunningPicturesBarAndTickersCostNoAllocationPerFrame) {
  PinTestFonts();
  FakeClock clock(1);
  LcdPage page(clock);
  ASSERT_EQ(page.Initialize(), kStatusOk);
  const IconImage icon = MakeIcon(15, 30, [](int x, int y) { return (x + y) % 3 == 0; });
  const BitmapImage strip = MakeBitmap(64, 8, [](int x, int y) { return x % 16 == y; });
  LcdIconItem iconItem;
  iconItem.SetSize(15, 30);
  iconItem.SetIcon(&icon, 15, 30);
  LcdAnimatedBitmap animation(clock);
  ASSERT_EQ(animation.Initialize(), kStatusOk);
  animation.SetBitmap(&strip);
  animation.SetFrameWidth(16);
  animation.SetOrigin(20, 0);
  animation.SetSize(16, 8);
  LcdProgressBar bar;
  ASSERT_EQ(bar.Initialize(), kStatusOk);
  bar.SetStyle(LcdProgressStyle::DottedCursor);
  bar.SetOrigin(40, 0);
  bar.SetSize(120, 5);
  LcdScrollingText scrolling(clock);
  ASSERT_EQ(scrolling.Initialize(), kStatusOk);
  scrolling.SetOrigin(40, 8);
  scrolling.SetSize(60, 13);
  scrolling.SetSpeed(200);
  scrolling.SetText(u"a scrolling text far wider than its box");
  LcdStreamingText ticker(clock);
  ASSERT_EQ(ticker.Initialize(), kStatusOk);
  ticker.SetSize(160, 13);
  ticker.SetOrigin(0, 30);
  ticker.SetSpeed(200);
  ticker.SetText(u"a streaming text that runs round and round the band");
  for (LcdItem* item :
       std::initializer_list<LcdItem*>{&iconItem, &animation, &bar, &scrolling, &ticker}) {
    page.AddItem(item);
  }
  auto cycle = [&] {
    clock.Advance(100);
    bar.SetPos(static_cast<float>(clock.TickCount() % 101));
    page.Advance(clock.TickCount());
    ASSERT_EQ(page.Render(), kStatusOk);
  };
  for (int i = 0; i < 100; ++i) cycle();  // rebuilds, measures, rasterises once
  const LcdTextItem* front = ticker.GetPiece(0);
  const long long before = allocations;
  for (int i = 0; i < 300; ++i) cycle();
  EXPECT_EQ(allocations - before, 0);
  EXPECT_NE(ticker.GetPiece(0), front) << "the band went round meanwhile";
}

}  // namespace
}  // namespace korvan::testing
