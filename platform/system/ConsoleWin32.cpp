#include <windows.h>

#include <cstdio>

#include "platform/system/Console.h"

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

}  // namespace korvan
