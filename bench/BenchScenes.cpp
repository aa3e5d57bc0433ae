#include "bench/BenchScenes.h"

#include "screens/IconLayout.h"

namespace korvan::bench {
namespace {

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

}  // namespace

TwentyTextPage::TwentyTextPage() : page_(clock_) {
  page_.Initialize();
  for (int i = 0; i < 20; ++i) {
    auto item = std::make_unique<LcdTextItem>();
    item->Initialize();
    item->SetFontFaceName(u"Microsoft Sans Serif");
    item->SetFontPointSize(i % 3 == 0 ? 12 : (i % 3 == 1 ? 8 : 7));
    item->SetBackgroundMode(2);
    item->SetOrigin((i % 4) * 40, (i / 4) * 8);
    item->SetSize(40, 12);
    item->SetLogicalOrigin(0, -2);
    page_.AddItem(item.get());
    items_.push_back(std::move(item));
  }
  Frame(false);  // glyphs rasterised and texts measured once
}

const LcdFrame* TwentyTextPage::Frame(bool changing) {
  ++frame_;
  for (int i = 0; i < 20; ++i) {
    std::uint32_t value = (changing ? frame_ * 7919u : 0u) + static_cast<std::uint32_t>(i) * 1117u;
    for (int d = 5; d >= 0; --d, value /= 10)
      texts_[i][d] = static_cast<char16_t>(u'0' + value % 10);
    items_[i]->SetText(texts_[i]);
  }
  page_.Advance(frame_);
  page_.Render();
  return page_.GetFrame();
}

StatusPage::StatusPage() : page_(clock_), ticker_(clock_) {
  page_.Initialize();
  for (std::size_t set = 0; set < kIconSets; ++set) {
    for (std::size_t indicator = 0; indicator < kIndicatorCount; ++indicator) {
      const IndicatorPlace& place = kIconSetLayouts[set].indicators[indicator];
      for (int state = 0; state < kIndicatorStates[indicator]; ++state) {
        icons_.push_back(MakeIcon(place.width, static_cast<int>(icons_.size())));
        auto item = std::make_unique<LcdIconItem>();
        item->Initialize();
        item->SetOrigin(0, 0);
        item->SetSize(place.width, kIconHeight);
        item->SetIcon(icons_.back().get(), place.width, kIconHeight);
        item->SetKind(LcdItemKind::Icon);
        item->SetOrigin(place.x, 0);
        item->SetVisible(set == 0);  // one set's 11 icons shown
        page_.AddItem(item.get());
        items_.push_back(std::move(item));
      }
    }
  }
  ticker_.Initialize();
  ticker_.SetOrigin(0, 0);
  ticker_.SetFontFaceName(u"Microsoft Sans Serif");
  ticker_.SetText(u" ");
  ticker_.SetGapText(u"       ");
  ticker_.SetSize(160, 13);
  ticker_.SetFontPointSize(8);
  ticker_.SetLogicalOrigin(0, -2);
  ticker_.SetKind(LcdItemKind::StreamingText);
  ticker_.SetOrigin(0, 30);
  ticker_.SetText(u"SEAFIRE F MK III  ALT 1234 M  SPD 456 KM/H  HDG 270  FUEL 321 L");
  page_.AddItem(&ticker_);
  // Past the rebuild and the start rest, and once round the band, so every
  // glyph is rasterised and every piece has been reused before counting.
  for (int i = 0; i < 1000; ++i) Frame(100);
}

const LcdFrame* StatusPage::Frame(std::uint32_t milliseconds) {
  clock_.Sleep(milliseconds);
  page_.Advance(clock_.now);
  page_.Render();
  return page_.GetFrame();
}

}  // namespace korvan::bench
