#pragma once

#include <string>

#include "platform/system/NativePath.h"

namespace korvan {

// The class under which the system registers the LCD manager service.
inline constexpr char kLcdServiceClassId[] = "{FE750200-B72E-11d9-829B-0050DA1A72D3}";

// Where the LCD service plug-in is, and how it was found.
struct LcdServiceLocation {
  NativePath path = {};  // empty: no plug-in to load, `refusal` or `otherWidth` says why
  std::string refusal = {};
  std::string note = {};  // a line worth saying once when loading from `path`
  // Set when the only service installed is for programs of the other width
  // (32-bit where this one is 64-bit): a whole line saying so and what to
  // do. The virtual LCD is not taken instead, as it would only hide that.
  std::string otherWidth = {};
};

// $KORVAN_LCD_SERVICE (for tests and development); else the service the
// system registers, which always wins over a fallback; else, when none is
// registered, the virtual LCD in the folder of the running program, or in
// ../lib/korvan from it as installed (said in `note` where the system has a
// registry, as it was not the registered one). The paths keep the form the
// system gave them: the registry's and the environment's bytes, the
// program folder's wide path on Windows.
LcdServiceLocation LocateLcdService();

}  // namespace korvan
