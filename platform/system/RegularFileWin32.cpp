#include <io.h>
#include <windows.h>

#include "platform/system/RegularFile.h"

namespace korvan {

std::optional<std::uint64_t> RegularFileSize(std::FILE* file) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  BY_HANDLE_FILE_INFORMATION info{};
  // A disk file, not a console, a pipe or a device; folders do not open as
  // streams here, but are refused all the same.
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return std::nullopt;
  return (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

}  // namespace korvan
