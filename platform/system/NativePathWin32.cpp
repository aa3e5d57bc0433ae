#include "platform/system/NativePath.h"

#include <windows.h>

#include "platform/system/WideTextWin32.h"

namespace korvan {

std::string NativePath::Text() const {
  if (narrow_.empty()) return Utf8FromWide(path_.native());
  return Utf8FromWide(WideFrom(narrow_, CP_ACP));
}

}  // namespace korvan
