#include "platform/system/SystemErrorWin32.h"

#include <windows.h>

#include "platform/system/WideTextWin32.h"

namespace korvan {

// Read wide and given as UTF-8, like every other text of the program, so a
// line that holds both a path and the reason reads in one encoding.
std::string SystemErrorText(unsigned long code) {
  wchar_t text[512];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text / sizeof text[0], nullptr);
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' ||
                        text[length - 1] == L' ' || text[length - 1] == L'.')) {
    --length;
  }
  if (length == 0) return "system error " + std::to_string(code);
  return Utf8FromWide(std::wstring_view(text, length));
}

}  // namespace korvan
