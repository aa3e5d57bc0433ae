#include "platform/system/HostFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace korvan {

SmallFileRead ReadSmallRegularFile(const std::string& path, char* buffer, std::size_t size,
                                   std::size_t& length) {
  length = 0;
  // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one.
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (file < 0) return SmallFileRead::kMissing;
  struct stat status {};
  if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(file);
    return SmallFileRead::kNotRegular;
  }
  const ssize_t got = read(file, buffer, size);
  close(file);
  if (got > 0) length = static_cast<std::size_t>(got);
  return SmallFileRead::kRead;
}

bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  return !error;
}

bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace korvan
