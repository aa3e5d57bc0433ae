#include "screens/IconSets.h"

#include <string>

#include "platform/images/ImageFile.h"
#include "screens/ScreenBuilder.h"

namespace korvan {
namespace {

void AddIndicator(LcdFacade& facade, const std::filesystem::path& folder, const IconSetLayout& set,
                  std::size_t indicator, IconSetHandles& handles, LoadedIcons& icons, int& loaded) {
  const IndicatorPlace& place = set.indicators[indicator];
  for (int state = 0; state < kIndicatorStates[indicator]; ++state) {
    std::unique_ptr<IconImage> icon =
        LoadIconFile(IconFilePath(set, indicator, state, folder), place.width, kIconHeight);
    if (icon) ++loaded;
    LcdItem* item = facade.AddIcon(icon.get(), place.width, kIconHeight);
    facade.SetPosition(item, place.x, 0);
    facade.SetVisible(item, false);
    handles[FirstSlotOf(indicator) + static_cast<std::size_t>(state)] = item;
    icons.push_back(std::move(icon));
  }
}

}  // namespace

std::filesystem::path IconFilePath(const IconSetLayout& set, std::size_t indicator, int state,
                                   const std::filesystem::path& folder) {
  return folder / set.folder /
         (std::to_string(indicator + 1) + "_" + std::to_string(state) + ".ico");
}

int BuildIconSets(LcdFacade& facade, ScreenItems& items, LoadedIcons& icons,
                  const std::filesystem::path& folder) {
  int loaded = 0;
  for (std::size_t s = 0; s < kIconSets; ++s) {
    const IconSetLayout& set = kIconSetLayouts[s];
    const std::size_t firstPair = set.secondPairFirst ? 1 : 0;
    const std::size_t order[kIndicatorCount] = {firstPair, 1 - firstPair, 2, 3};
    for (const std::size_t indicator : order) {
      AddIndicator(facade, folder, set, indicator, items.iconSets[s], icons, loaded);
    }
  }
  return loaded;
}

int BuildStatusPage(LcdFacade& facade, ScreenItems& items, LoadedIcons& icons,
                    const std::filesystem::path& folder) {
  BuildStatusPageTexts(facade, items);
  return BuildIconSets(facade, items, icons, folder);
}

}  // namespace korvan
