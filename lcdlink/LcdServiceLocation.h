#pragma once

#include <filesystem>
#include <string>

namespace korvan {

// The class under which the system registers the LCD manager service.
inline constexpr char kLcdServiceClassId[] = "{FE750200-B72E-11d9-829B-0050DA1A72D3}";

// Where the LCD service plug-in is, and how it was found.
struct LcdServiceLocation {
  std::filesystem::path path;  // empty: no plug-in to load, `refusal` says why
  std::string refusal;
  std::string note;  // a line worth saying once when loading from `path`
};

// $KORVAN_LCD_SERVICE (for tests and development); else the service the
// system registers, which always wins over a fallback; else, when none is
// registered, the virtual LCD in the folder of the running program, or in
// ../lib/korvan from it as installed (said in `note` where the system has a
// registry, as it was not the registered one).
LcdServiceLocation LocateLcdService();

}  // namespace korvan
