// Icon and bitmap files on Linux: read whole, then decoded by our own
// decoders.
#include "platform/images/ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/images/BitmapDecoder.h"
#include "platform/images/IconDecoder.h"
#include "platform/images/ImageDecoding.h"

namespace korvan {
namespace {

// The whole content of a regular file of at most kMaxImageFileBytes; nothing
// for a missing, unreadable, special or larger file. Never blocks on a pipe.
std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::filesystem::path& path) {
  // Non-blocking open so a FIFO at the path cannot stall start-up; fstat on
  // the open descriptor then decides, with no race against a rename.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> result;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
      static_cast<std::uint64_t>(info.st_size) <= kMaxImageFileBytes) {
    // One byte of room past the cap shows a file that grew since fstat.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    bool failed = false;
    while (filled < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
      if (got == 0) break;
      if (got < 0) {
        failed = true;
        break;
      }
      filled += static_cast<std::size_t>(got);
    }
    if (!failed && filled <= static_cast<std::size_t>(info.st_size)) {
      bytes.resize(filled);
      result = std::move(bytes);
    }
  }
  ::close(fd);
  return result;
}

}  // namespace

std::filesystem::path HostPath(std::string_view stored) {
  std::string path(stored);
  for (char& c : path) {
    if (c == '\\') c = std::filesystem::path::preferred_separator;
  }
  return std::filesystem::path(path);
}

std::unique_ptr<IconImage> LoadIconFile(const std::filesystem::path& path, int width, int height) {
  const auto bytes = ReadImageFile(path);
  if (!bytes) return nullptr;
  return DecodeIcon(*bytes, width, height);
}

std::unique_ptr<BitmapImage> LoadBitmapFile(const std::filesystem::path& path) {
  const auto bytes = ReadImageFile(path);
  if (!bytes) return nullptr;
  return DecodeBitmap(*bytes);
}

}  // namespace korvan
