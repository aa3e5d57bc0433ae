// Drawing a page whose texts did not change must not touch the heap: the
// screens re-send their values every cycle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "lcd/LcdTextItem.h"
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

}  // namespace
}  // namespace korvan::testing
