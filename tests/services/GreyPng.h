// Reads a PNG back with libpng's simplified API, as any viewer would.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace korvan::virtual_lcd {

struct GreyImage {
  unsigned width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // empty: not a PNG libpng reads
};

inline GreyImage DecodeGreyPng(const std::string& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  GreyImage grey;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return grey;
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return grey;
  return {image.width, image.height, std::move(pixels)};
}

}  // namespace korvan::virtual_lcd
