#include "tests/platform/GoldenFrame.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/fonts/FontLibrary.h"
#include "tests/platform/FontPins.h"

namespace korvan::testing {

std::string FrameToArt(const std::uint8_t* pixels, int width, int height, int stride) {
  std::string art;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) art += pixels[y * stride + x] > 128 ? '#' : '.';
    art += '\n';
  }
  return art;
}

::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& art) {
  const std::string path = KORVAN_GOLDEN_DIR "/" + name;
  const char* update = std::getenv("KORVAN_UPDATE_GOLDEN");
  // The reference frames come from the real implementation, never from ours.
  if (update != nullptr && update == std::string_view("1") && !name.starts_with("reference-")) {
    std::ofstream(path + ".txt", std::ios::binary) << art;
    return ::testing::AssertionSuccess() << "rewrote " << path << ".txt";
  }
  std::ifstream in(path + ".txt", std::ios::binary);
  if (!in) {
    return ::testing::AssertionFailure()
           << "no golden " << path << ".txt (run with KORVAN_UPDATE_GOLDEN=1 to create it)";
  }
  const std::string expected{std::istreambuf_iterator<char>(in), {}};
  if (expected == art) return ::testing::AssertionSuccess();
  std::ofstream(path + ".actual.txt", std::ios::binary) << art;
  WriteArtPng(path + ".actual.png", art, 4);
  auto failure = ::testing::AssertionFailure() << name << ": ";
  if (expected.size() != art.size()) {
    failure << "frames differ in size (" << expected.size() << " against " << art.size()
            << " characters)";
  } else {  // rows of equal length, each with its newline
    const auto at = static_cast<std::size_t>(
        std::mismatch(expected.begin(), expected.end(), art.begin()).first - expected.begin());
    const std::size_t row = expected.find('\n') + 1;
    failure << "first differing pixel at (" << at % row << ", " << at / row << "): expected '"
            << expected[at] << "', got '" << art[at] << "'";
  }
  return failure << "; actual frame written to " << path << ".actual.txt";
}

bool WriteArtPng(const std::string& path, const std::string& art, int scale) {
  const std::size_t columns = art.find('\n'), rows = std::count(art.begin(), art.end(), '\n');
  if (columns == 0 || columns == std::string::npos || scale < 1) return false;
  const std::size_t s = static_cast<std::size_t>(scale), width = columns * s;
  std::vector<png_byte> pixels(width * rows * s);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const std::size_t at = (i / width / s) * (columns + 1) + i % width / s;
    pixels[i] = at < art.size() && art[at] == '#' ? 255 : 0;
  }
  // The simplified API keeps libpng's longjmp away from our objects.
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(rows * s);
  image.format = PNG_FORMAT_GRAY;
  const bool written = png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr);
  png_image_free(&image);
  return written;
}

void PinTestFonts() {
  const std::string dir = "/usr/share/fonts/truetype/liberation/LiberationSans-";
  for (const char16_t* face : {u"Microsoft Sans Serif", u""}) {
    FontLibrary::Instance().Pin(face, false, dir + "Regular.ttf");
    FontLibrary::Instance().Pin(face, true, dir + "Bold.ttf");
  }
}

}  // namespace korvan::testing
