#include "services/virtual-lcd/frames/FramePng.h"

#include <png.h>

#include <vector>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::virtual_lcd {

std::string FramePng(const std::uint8_t* pixels, int scale) {
  if (scale < 1 || scale > kMaxPngScale) return {};
  const auto step = static_cast<std::size_t>(scale);
  const std::size_t width = LCD_FRAME_WIDTH * step;
  const std::size_t height = LCD_FRAME_HEIGHT * step;
  // Whole squares per pixel, so the image stays as crisp as the LCD.
  std::vector<std::uint8_t> scaled(width * height);
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + (y / step) * LCD_FRAME_WIDTH;
    for (std::size_t x = 0; x < width; ++x) scaled[y * width + x] = row[x / step];
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_GRAY;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, scaled.data(), 0, nullptr)) {
    png_image_free(&image);
    return {};
  }
  std::string png(size, '\0');
  const bool ok =
      png_image_write_to_memory(&image, png.data(), &size, 0, scaled.data(), 0, nullptr);
  png_image_free(&image);
  if (!ok) return {};
  png.resize(size);
  return png;
}

}  // namespace korvan::virtual_lcd
