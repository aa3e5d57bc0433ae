// PNG frames from the panel's /frame.png and the recorder, read back as a viewer
// would: by libpng on Linux, the Windows Imaging Component on Windows.
#include <gtest/gtest.h>

#include <random>

#include "services/virtual-lcd/frames/FrameRecorder.h"
#include "services/virtual-lcd/panel/PanelRoutes.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>
#else
#include <png.h>
#endif

namespace korvan::virtual_lcd {
namespace {

#ifdef _WIN32
std::vector<std::uint8_t> GreyPixels(std::string png) {
  using Microsoft::WRL::ComPtr;
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // kept for the test program's life
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  WICPixelFormatGUID format{};
  const bool read =
      SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_PPV_ARGS(&factory))) &&
      SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(png.data()),
                                             static_cast<DWORD>(png.size()))) &&
      SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                 WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) &&
      SUCCEEDED(frame->GetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat8bppGray);
  std::vector<std::uint8_t> pixels(std::size_t{width} * height);
  const auto size = static_cast<UINT>(pixels.size());
  return read && SUCCEEDED(frame->CopyPixels(nullptr, width, size, pixels.data()))
             ? pixels
             : std::vector<std::uint8_t>{};
}
#else
std::vector<std::uint8_t> GreyPixels(const std::string& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return {};
  image.format = PNG_FORMAT_GRAY;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  const bool read = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
  return read ? pixels : std::vector<std::uint8_t>{};
}
#endif

// /frame.png: the grey bytes in scale x scale squares (1 to 8); recorded: as pushed.
TEST(FramePng, PanelAndRecorderWriteThePushedBytes) {
  FrameBoard board;
  Pixels pixels;
  // Noise: an encoder that only copes with compressible frames fails.
  std::minstd_rand noise(7);
  for (std::uint8_t& pixel : pixels) pixel = static_cast<std::uint8_t>(noise() >> 8);
  board.Publish(pixels.data());
  const auto get = [&board](const std::string& query) {
    return Route({"GET", "/frame.png", query, {{"host", "localhost"}}, ""}, {"", 1}, board, true);
  };
  for (const char* bad : {"scale=0", "scale=9", "scale=", "scale=2x"})
    EXPECT_EQ(get(bad).status, 400) << bad;
  for (const std::size_t scale : {1u, 3u, 8u}) {
    const HttpAnswer answer = get(scale == 1 ? "" : "scale=" + std::to_string(scale));
    EXPECT_EQ(answer.type + " " + answer.headers.at(0).second, "image/png no-store");
    EXPECT_EQ(answer.body.substr(24, 2), std::string("\x08\x00", 2)) << "8-bit grey header";
    EXPECT_TRUE(answer.body.ends_with("IEND\xae\x42\x60\x82")) << "nothing after the end";
    std::vector<std::uint8_t> expected;
    for (std::size_t at = 0; at < pixels.size() * scale * scale; ++at)
      expected.push_back(pixels[at / (160 * scale * scale) * 160 + at % (160 * scale) / scale]);
    EXPECT_EQ(GreyPixels(answer.body), expected) << scale;
  }
  korvan::testing::TempDir folder;
  FrameRecorder(folder.path(), 1, RecordFormat::kPng).Record(pixels.data());
  EXPECT_EQ(GreyPixels(korvan::testing::ReadFile(folder.path() / "frame-000001.png")),
            std::vector(pixels.begin(), pixels.end()));
}

}  // namespace
}  // namespace korvan::virtual_lcd
