#include "services/virtual-lcd/FrameRecorder.h"

#include <cstdio>
#include <system_error>
#include <utility>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::virtual_lcd {

FrameRecorder::FrameRecorder(std::filesystem::path folder, std::int64_t maxFrames)
    : folder_(std::move(folder)), maxFrames_(maxFrames) {}

void FrameRecorder::Record(const std::uint8_t* pixels) {
  if (failed_ || written_ >= maxFrames_) return;
  std::error_code ignored;
  if (written_ == 0) std::filesystem::create_directories(folder_, ignored);
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06lld.pgm", static_cast<long long>(written_ + 1));
  const std::filesystem::path path = folder_ / name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool ok = file != nullptr;
  if (ok) {
    std::fprintf(file, "P5\n%d %d\n255\n", LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT);
    const std::size_t bytes = LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT;
    ok = std::fwrite(pixels, 1, bytes, file) == bytes;
    ok = std::fclose(file) == 0 && ok;
  }
  if (!ok) {
    failed_ = true;
    std::fprintf(stderr, "lcd-virtual: cannot write %s; recording stops\n", path.c_str());
    return;
  }
  ++written_;
}

}  // namespace korvan::virtual_lcd
