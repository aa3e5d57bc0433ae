#pragma once

#include <cstdint>
#include <filesystem>

namespace korvan::virtual_lcd {

enum class RecordFormat { kPgm, kPng };

// Writes frames as DIR/frame-NNNNNN.pgm (binary PGM, 160 x 43, maxval 255)
// or DIR/frame-NNNNNN.png (8-bit grey), the pixel bytes as pushed, numbered
// from 1, at most `maxFrames` of them. Each is written as
// DIR/.frame-NNNNNN.EXT.tmp and renamed, so a frame file is always whole.
class FrameRecorder {
 public:
  FrameRecorder(std::filesystem::path folder, std::int64_t maxFrames,
                RecordFormat format = RecordFormat::kPgm);

  // `pixels` holds 160 x 43 bytes. Frames past the limit are not written;
  // after a failed write nothing more is (one line on standard error tells).
  void Record(const std::uint8_t* pixels);
  std::int64_t Written() const { return written_; }

 private:
  std::filesystem::path folder_;
  std::int64_t maxFrames_;
  RecordFormat format_;
  std::int64_t written_ = 0;
  bool failed_ = false;
};

}  // namespace korvan::virtual_lcd
