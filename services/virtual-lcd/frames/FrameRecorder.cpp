#include "services/virtual-lcd/frames/FrameRecorder.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "lcdlink/LcdServiceInterface.h"
#include "platform/system/HostFiles.h"
#include "services/virtual-lcd/frames/FramePng.h"

namespace korvan::virtual_lcd {
namespace {

// The file's bytes; empty if they cannot be made.
std::string FileBytes(const std::uint8_t* pixels, RecordFormat format) {
  if (format == RecordFormat::kPng) return FramePng(pixels, 1);
  char header[32];
  std::snprintf(header, sizeof header, "P5\n%d %d\n255\n", LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT);
  return header +
         std::string(reinterpret_cast<const char*>(pixels), LCD_FRAME_WIDTH * LCD_FRAME_HEIGHT);
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

FrameRecorder::FrameRecorder(std::filesystem::path folder, std::int64_t maxFrames,
                             RecordFormat format)
    : folder_(std::move(folder)), maxFrames_(maxFrames), format_(format) {}

void FrameRecorder::Record(const std::uint8_t* pixels) {
  if (failed_ || written_ >= maxFrames_) return;
  std::error_code ignored;
  if (written_ == 0) std::filesystem::create_directories(folder_, ignored);
  // Written under a hidden name, then renamed: a program watching the
  // folder for the newest frame-* never sees half a frame.
  char hidden[40];
  std::snprintf(hidden, sizeof hidden, ".frame-%06lld.%s.tmp", static_cast<long long>(written_ + 1),
                format_ == RecordFormat::kPng ? "png" : "pgm");
  const std::filesystem::path temporary = folder_ / hidden;
  const std::filesystem::path path =
      folder_ / std::string_view(hidden + 1, std::strlen(hidden) - 5);
  const std::string bytes = FileBytes(pixels, format_);
  const bool ok = !bytes.empty() && WriteFile(temporary, bytes) && MoveReplacing(temporary, path);
  if (!ok) {
    std::filesystem::remove(temporary, ignored);
    failed_ = true;
    std::fprintf(stderr, "lcd-virtual: cannot write %s; recording stops\n", path.string().c_str());
    return;
  }
  ++written_;
}

}  // namespace korvan::virtual_lcd
