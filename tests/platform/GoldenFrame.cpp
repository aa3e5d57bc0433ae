#include "tests/platform/GoldenFrame.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace korvan::testing {
namespace {

std::string GoldenPath(const std::string& name, const char* suffix = ".txt") {
  return std::string(KORVAN_GOLDEN_DIR) + "/" + name + suffix;
}

}  // namespace

std::string FrameToArt(const std::uint8_t* pixels, int width, int height, int stride) {
  std::string art;
  art.reserve(static_cast<std::size_t>(width + 1) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) art += pixels[y * stride + x] > 128 ? '#' : '.';
    art += '\n';
  }
  return art;
}

::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& art) {
  const std::string path = GoldenPath(name);
  const char* update = std::getenv("KORVAN_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << art;
    return ::testing::AssertionSuccess() << "rewrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return ::testing::AssertionFailure()
           << "no golden " << path << " (run with KORVAN_UPDATE_GOLDEN=1 to create it)";
  }
  std::ostringstream text;
  text << in.rdbuf();
  const std::string expected = text.str();
  if (expected == art) return ::testing::AssertionSuccess();
  const std::string actualPath = GoldenPath(name, ".actual.txt");
  std::ofstream(actualPath, std::ios::binary) << art;
  WriteArtPng(GoldenPath(name, ".actual.png"), art, 4);
  const auto differs = std::mismatch(expected.begin(), expected.end(), art.begin(), art.end());
  const std::size_t at = static_cast<std::size_t>(differs.first - expected.begin());
  const std::size_t lineStart = at == 0 ? 0 : expected.rfind('\n', at - 1) + 1;
  const auto y = std::count(expected.begin(), expected.begin() + static_cast<long>(at), '\n');
  if (differs.first == expected.end() || differs.second == art.end()) {
    return ::testing::AssertionFailure() << name << ": frames differ in size (" << expected.size()
                                         << " against " << art.size() << " characters); actual "
                                         << "frame written to " << actualPath;
  }
  return ::testing::AssertionFailure()
         << name << ": first differing pixel at (" << at - lineStart << ", " << y << "): expected '"
         << *differs.first << "', got '" << *differs.second << "'; actual frame written to "
         << actualPath;
}

bool WriteArtPng(const std::string& path, const std::string& art, int scale) {
  std::vector<std::string> rows;
  std::istringstream lines(art);
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  if (rows.empty() || rows[0].empty() || scale < 1) return false;
  const std::size_t width = rows[0].size() * static_cast<std::size_t>(scale);
  std::vector<png_byte> pixels(width * rows.size() * static_cast<std::size_t>(scale));
  for (std::size_t y = 0; y < rows.size() * static_cast<std::size_t>(scale); ++y) {
    const std::string& row = rows[y / static_cast<std::size_t>(scale)];
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t column = x / static_cast<std::size_t>(scale);
      pixels[y * width + x] = column < row.size() && row[column] == '#' ? 255 : 0;
    }
  }
  // The simplified API keeps libpng's longjmp away from our objects.
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(rows.size() * static_cast<std::size_t>(scale));
  image.format = PNG_FORMAT_GRAY;
  const bool written =
      png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return written;
}

}  // namespace korvan::testing
