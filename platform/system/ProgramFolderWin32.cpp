#include "platform/system/ProgramFolder.h"

#include <windows.h>

#include <vector>

namespace korvan {

std::filesystem::path ProgramFolder() {
  // The name is cut short (and the call returns the full buffer) when it
  // does not fit, so the buffer grows until it does.
  std::vector<wchar_t> name(MAX_PATH);
  for (int attempt = 0; attempt < 6; ++attempt) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      return std::filesystem::path(std::wstring(name.data(), length)).parent_path();
    }
    name.resize(name.size() * 4);
  }
  return {};
}

}  // namespace korvan
