#include "platform/system/WideTextWin32.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace korvan {
namespace {

// The calls count in int; no text here comes near that.
int Counted(std::size_t size) {
  return static_cast<int>(std::min<std::size_t>(size, INT_MAX / 4));
}

}  // namespace

std::string Utf8FromWide(std::wstring_view wide) {
  const int length = Counted(wide.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
  return text;
}

std::wstring WideFrom(std::string_view bytes, unsigned codePage) {
  const int length = Counted(bytes.size());
  const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), size);
  return wide;
}

}  // namespace korvan
