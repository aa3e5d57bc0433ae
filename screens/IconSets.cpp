#include "screens/IconSets.h"

#include <string>

#include "platform/images/ImageFile.h"
#include "screens/ScreenBuilder.h"

namespace korvan {
namespace {

constexpr int kIconHeight = 30;

struct Indicator {
  int x;
  int width;
};

struct IconSetLayout {
  const char* folder;
  bool secondPairFirst;     // the f4u and zero sets create 2_x before 1_x
  Indicator indicators[4];  // indicators 1 to 4
};

constexpr IconSetLayout kIconSetLayouts[kIconSets] = {
    {"seafire", false, {{1, 15}, {16, 30}, {46, 10}, {56, 35}}},
    {"me109", false, {{1, 18}, {19, 20}, {39, 15}, {54, 38}}},
    {"f4u", true, {{1, 18}, {19, 23}, {42, 15}, {57, 34}}},
    {"zero", true, {{12, 29}, {1, 11}, {41, 17}, {58, 33}}},
    {"yak1", false, {{1, 16}, {17, 17}, {34, 15}, {49, 42}}},
};

constexpr int kStates[4] = {2, 2, 4, 3};
constexpr std::size_t kFirstOfIndicator[4] = {0, 2, 4, 8};

void AddIndicator(LcdFacade& facade, const IconSetLayout& set, int indicator,
                  IconSetHandles& handles, LoadedIcons& icons, int& loaded) {
  const Indicator& place = set.indicators[indicator];
  for (int state = 0; state < kStates[indicator]; ++state) {
    // Stored with backslashes, as the sets have always been named; the
    // loader maps them to this system's separator.
    const std::string path = std::string("images\\") + set.folder + "\\" +
                             std::to_string(indicator + 1) + "_" + std::to_string(state) + ".ico";
    std::unique_ptr<IconImage> icon = LoadIconFile(path, place.width, kIconHeight);
    if (icon) ++loaded;
    LcdItem* item = facade.AddIcon(icon.get(), place.width, kIconHeight);
    facade.SetPosition(item, place.x, 0);
    facade.SetVisible(item, false);
    handles[kFirstOfIndicator[indicator] + static_cast<std::size_t>(state)] = item;
    icons.push_back(std::move(icon));
  }
}

}  // namespace

int BuildIconSets(LcdFacade& facade, ScreenItems& items, LoadedIcons& icons) {
  int loaded = 0;
  for (std::size_t s = 0; s < kIconSets; ++s) {
    const IconSetLayout& set = kIconSetLayouts[s];
    const int firstPair = set.secondPairFirst ? 1 : 0;
    const int order[4] = {firstPair, 1 - firstPair, 2, 3};
    for (const int indicator : order) {
      AddIndicator(facade, set, indicator, items.iconSets[s], icons, loaded);
    }
  }
  return loaded;
}

int BuildStatusPage(LcdFacade& facade, ScreenItems& items, LoadedIcons& icons) {
  BuildStatusPageTexts(facade, items);
  return BuildIconSets(facade, items, icons);
}

}  // namespace korvan
