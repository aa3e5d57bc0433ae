#include "services/virtual-lcd/FrameRecorder.h"

#include <cstdio>
#include <string>
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
  // Written under a hidden name, then renamed: a program watching the
  // folder for the newest frame-*.pgm never sees half a frame.
  const std::filesystem::path temporary = folder_ / ("." + std::string(name) + ".tmp");
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  bool ok = file != nullptr;
  if (ok) {
    std::fprintf(file, "P5\n%d %d\n255\n", LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT);
    const std::size_t bytes = LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT;
    ok = std::fwrite(pixels, 1, bytes, file) == bytes;
    ok = std::fclose(file) == 0 && ok;
    std::error_code renamed;
    if (ok) std::filesystem::rename(temporary, path, renamed);
    ok = ok && !renamed;
    if (!ok) std::filesystem::remove(temporary, ignored);
  }
  if (!ok) {
    failed_ = true;
    std::fprintf(stderr, "lcd-virtual: cannot write %s; recording stops\n", path.c_str());
    return;
  }
  ++written_;
}

}  // namespace korvan::virtual_lcd
