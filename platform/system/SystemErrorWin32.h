#pragma once

#include <string>

namespace korvan {

// The system's own text for a Win32 or Winsock error code, in UTF-8 and
// without the line end FormatMessage appends; the number when the system
// has no text.
std::string SystemErrorText(unsigned long code);

}  // namespace korvan
