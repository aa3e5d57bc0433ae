// PNG frames from the panel's /frame.png and the recorder, read back with
// libpng's simplified API as any viewer would (not in the Windows build).
#ifndef _WIN32
#include <gtest/gtest.h>
#include <png.h>

#include <fstream>

#include "services/virtual-lcd/frames/FrameRecorder.h"
#include "services/virtual-lcd/panel/PanelRoutes.h"
#include "tests/support/TempDir.h"

namespace korvan::virtual_lcd {
namespace {

std::vector<std::uint8_t> GreyPixels(const std::string& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return {};
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  const bool read = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
  return read ? pixels : std::vector<std::uint8_t>{};
}

// /frame.png: the grey bytes in scale x scale squares (1 to 8); recorded: as pushed.
TEST(FramePng, PanelAndRecorderWriteThePushedBytes) {
  FrameBoard board;
  Pixels pixels;
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7);
  board.Publish(pixels.data());
  const auto get = [&board](const char* query) {
    return Route({"GET", "/frame.png", query, {{"host", "localhost"}}, ""}, {"", 1}, board, true);
  };
  for (const char* bad : {"scale=0", "scale=9", "scale=", "scale=2x"})
    EXPECT_EQ(get(bad).status, 400) << bad;
  for (const std::size_t scale : {1u, 3u}) {
    const HttpAnswer answer = get(scale == 1 ? "" : "scale=3");
    EXPECT_EQ(answer.type + " " + answer.headers.at(0).second, "image/png no-store");
    std::vector<std::uint8_t> expected;
    for (std::size_t at = 0; at < pixels.size() * scale * scale; ++at)
      expected.push_back(pixels[at / (160 * scale * scale) * 160 + at % (160 * scale) / scale]);
    EXPECT_EQ(GreyPixels(answer.body), expected) << scale;
  }
  korvan::testing::TempDir folder;
  FrameRecorder(folder.path(), 1, RecordFormat::kPng).Record(pixels.data());
  std::ifstream file(folder.path() / "frame-000001.png", std::ios::binary);
  EXPECT_EQ(GreyPixels({std::istreambuf_iterator<char>(file), {}}),
            std::vector(pixels.begin(), pixels.end()));
}

}  // namespace
}  // namespace korvan::virtual_lcd
#endif
