#include "platform/system/RegularFile.h"

#include <sys/stat.h>

namespace korvan {

std::optional<std::uint64_t> RegularFileSize(std::FILE* file) {
  struct stat status {};
  if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0)
    return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

}  // namespace korvan
