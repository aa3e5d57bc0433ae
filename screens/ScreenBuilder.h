#pragma once

#include "lcdlink/LcdFacade.h"
#include "screens/ScreenItems.h"

namespace korvan {

inline constexpr char16_t kApplicationName[] = u"Korvan mod v1.2  by  Taldor";

// Initialises the facade and fills the main and calculator pages.
void BuildScreens(LcdFacade& facade, ScreenItems& items);

// Fills the status page's texts (the icon sets are placed separately).
void BuildStatusPageTexts(LcdFacade& facade, ScreenItems& items);

// Edits page 0 and runs the first update, which registers the pages, shows
// the main page and connects.
void ShowFirstFrame(LcdFacade& facade);

}  // namespace korvan
