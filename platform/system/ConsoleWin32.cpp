#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/system/Console.h"
#include "platform/system/WideTextWin32.h"

namespace korvan {
namespace {

// A file or a pipe: a redirection the person (or a test) chose.
bool GoesSomewhere(DWORD stream) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(handle);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

}  // namespace

void ShowOutputInParentConsole() {
  const bool outputKept = GoesSomewhere(STD_OUTPUT_HANDLE);
  const bool errorKept = GoesSomewhere(STD_ERROR_HANDLE);
  if (outputKept && errorKept) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;  // started without a console
  if (!outputKept && std::freopen("CONOUT$", "w", stdout) != nullptr) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  }
  if (!errorKept && std::freopen("CONOUT$", "w", stderr) != nullptr) {
    std::setvbuf(stderr, nullptr, _IONBF, 0);
  }
}

// Narrow text reaches a console through its code page (an OEM one, which
// holds neither UTF-8 nor most of the world's letters); the wide call shows
// every character.
void WriteText(std::FILE* stream, std::string_view text) {
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::fflush(stream);
    const std::wstring wide = WideFrom(text, CP_UTF8);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace korvan
