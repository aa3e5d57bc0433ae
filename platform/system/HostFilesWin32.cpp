#include <windows.h>
// After windows.h, which it needs.
#include <io.h>

#include <cstdio>
#include <filesystem>

#include "platform/system/HostFiles.h"

namespace korvan {

SmallFileRead ReadSmallRegularFile(const std::string& path, char* buffer, std::size_t size,
                                   std::size_t& length) {
  length = 0;
  const std::wstring name = std::filesystem::path(path).wstring();
  // A pipe has no attributes to ask for; it is told by its type below.
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return SmallFileRead::kNotRegular;
  }
  // Shared every way, so the writer can replace the file while it is open
  // here. A busy pipe answers at once rather than waiting.
  const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_PIPE_BUSY ? SmallFileRead::kNotRegular : SmallFileRead::kMissing;
  }
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return SmallFileRead::kNotRegular;
  }
  DWORD got = 0;
  const DWORD wanted = size > 4096 ? 4096 : static_cast<DWORD>(size);
  if (ReadFile(file, buffer, wanted, &got, nullptr)) length = got;
  CloseHandle(file);
  return SmallFileRead::kRead;
}

bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  // libstdc++'s rename refuses to replace on Windows; this replaces in one
  // step on the same volume.
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool StandardErrorIsTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

}  // namespace korvan
