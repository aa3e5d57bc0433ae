#include "platform/images/PngDecoder.h"

#include <png.h>

#include <algorithm>
#include <array>

#include "platform/images/ImageDecoding.h"

namespace korvan {

bool HasPngSignature(std::span<const std::uint8_t> data) {
  static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P',  'N',  'G',
                                                          '\r', '\n', 0x1A, '\n'};
  return data.size() >= kSignature.size() &&
         std::equal(kSignature.begin(), kSignature.end(), data.begin());
}

std::optional<RgbaImage> DecodePng(std::span<const std::uint8_t> data) {
  if (!HasPngSignature(data)) return std::nullopt;
  // The simplified reader reports errors by its result instead of a long
  // jump, so no C++ object is ever skipped over.
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, data.data(), data.size()) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  // Size checked before anything is allocated for the pixels.
  if (image.width < 1 || image.width > static_cast<png_uint_32>(kMaxImageSide) ||
      image.height < 1 || image.height > static_cast<png_uint_32>(kMaxImageSide)) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGBA;
  RgbaImage out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  png_image_free(&image);
  return out;
}

}  // namespace korvan
