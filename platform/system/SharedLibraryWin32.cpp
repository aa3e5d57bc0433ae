#include "platform/system/SharedLibrary.h"

#include <windows.h>

#include <utility>

#include "platform/system/SystemErrorWin32.h"

namespace korvan {

std::string SharedLibraryFileName(const std::string& name) {
  return name + ".dll";
}

bool SharedLibrary::Open(const NativePath& path) {
  Close();
  // A library that cannot be loaded is reported as text, never as a dialog
  // box a background program would wait on.
  DWORD previousMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
  // Wide from a wide call (the program's folder, in any language); the
  // ANSI bytes of a narrow one (the registry, the environment) to the ANSI
  // call, byte for byte, as the service's installer wrote them.
  handle_ = path.Narrow().empty() ? LoadLibraryW(path.Path().c_str())
                                  : LoadLibraryA(path.Narrow().c_str());
  const DWORD failure = handle_ == nullptr ? GetLastError() : 0;
  SetThreadErrorMode(previousMode, nullptr);
  if (handle_ == nullptr) {
    error_ = path.Text() + ": " + SystemErrorText(failure);
    return false;
  }
  error_.clear();
  return true;
}

void* SharedLibrary::Symbol(const char* name) {
  if (handle_ == nullptr) {
    error_ = "no library loaded";
    return nullptr;
  }
  const FARPROC address = GetProcAddress(static_cast<HMODULE>(handle_), name);
  if (address == nullptr) {
    error_ = std::string(name) + ": " + SystemErrorText(GetLastError());
    return nullptr;
  }
  return reinterpret_cast<void*>(address);
}

void SharedLibrary::Close() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(std::exchange(handle_, nullptr)));
}

}  // namespace korvan
