#include "services/virtual-lcd/FrameRecorder.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "lcdlink/LcdServiceInterface.h"
#include "services/virtual-lcd/HostFiles.h"

namespace korvan::virtual_lcd {

FrameRecorder::FrameRecorder(std::filesystem::path folder, std::int64_t maxFrames)
    : folder_(std::move(folder)), maxFrames_(maxFrames) {}

void FrameRecorder::Record(const std::uint8_t* pixels) {
  if (failed_ || written_ >= maxFrames_) return;
  std::error_code ignored;
  if (written_ == 0) std::filesystem::create_directories(folder_, ignored);
  // Written under a hidden name, then renamed: a program watching the
  // folder for the newest frame-*.pgm never sees half a frame.
  char hidden[40];
  std::snprintf(hidden, sizeof hidden, ".frame-%06lld.pgm.tmp",
                static_cast<long long>(written_ + 1));
  const std::filesystem::path temporary = folder_ / hidden;
  const std::filesystem::path path =
      folder_ / std::string_view(hidden + 1, std::strlen(hidden) - 5);
  std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
  bool ok = file != nullptr;
  if (ok) {
    std::fprintf(file, "P5\n%d %d\n255\n", LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT);
    const std::size_t bytes = LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT;
    ok = std::fwrite(pixels, 1, bytes, file) == bytes;
    ok = std::fclose(file) == 0 && ok;
    ok = ok && MoveReplacing(temporary, path);
    if (!ok) std::filesystem::remove(temporary, ignored);
  }
  if (!ok) {
    failed_ = true;
    std::fprintf(stderr, "lcd-virtual: cannot write %s; recording stops\n", path.string().c_str());
    return;
  }
  ++written_;
}

}  // namespace korvan::virtual_lcd
