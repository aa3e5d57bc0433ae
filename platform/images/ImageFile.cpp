#include "platform/images/ImageFile.h"

#include <string>

#include "platform/images/BitmapDecoder.h"
#include "platform/images/IconDecoder.h"

namespace korvan {

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
