#include "platform/ImageFile.h"

#include "platform/BitmapDecoder.h"
#include "platform/HostPath.h"
#include "platform/IconDecoder.h"
#include "platform/ImageFileReader.h"

namespace korvan {

std::unique_ptr<IconImage> LoadIconFile(std::string_view path, int width, int height) {
  const auto bytes = ReadImageFile(HostPath(path));
  if (!bytes) return nullptr;
  return DecodeIcon(*bytes, width, height);
}

std::unique_ptr<BitmapImage> LoadBitmapFile(std::string_view path) {
  const auto bytes = ReadImageFile(HostPath(path));
  if (!bytes) return nullptr;
  return DecodeBitmap(*bytes);
}

}  // namespace korvan
