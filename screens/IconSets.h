#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <vector>

#include "lcdlink/LcdFacade.h"
#include "platform/images/IconImage.h"
#include "screens/IconLayout.h"
#include "screens/ScreenItems.h"

namespace korvan {

// The icon pictures the status page's items draw; loaded once at start-up
// and kept for the life of the program (the items only borrow them).
using LoadedIcons = std::vector<std::unique_ptr<IconImage>>;

// The file of one state of one indicator (counted from 0) of a set:
// <folder>\<set>\<indicator + 1>_<state>.ico, with this system's separator.
std::filesystem::path IconFilePath(const IconSetLayout& set, std::size_t indicator, int state,
                                   const std::filesystem::path& folder = "images");

// Loads the 55 icon files of the five sets from <folder>/<set>/ (relative
// to the current folder unless absolute; see IconFolder.h) and makes one hidden icon item per file
// on the page being edited. A file that is missing or unreadable gives an item that draws nothing.
// Returns how many files loaded.
int BuildIconSets(LcdFacade& facade, ScreenItems& items, LoadedIcons& icons,
                  const std::filesystem::path& folder = "images");

// Builds the status page: its texts, then the icon sets.
int BuildStatusPage(LcdFacade& facade, ScreenItems& items, LoadedIcons& icons,
                    const std::filesystem::path& folder = "images");

}  // namespace korvan
