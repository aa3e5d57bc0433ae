#include "tests/platform/GoldenFrame.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace korvan::testing {
namespace {

std::string GoldenPath(const std::string& name) {
  return std::string(KORVAN_GOLDEN_DIR) + "/" + name + ".txt";
}

bool ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  out = text.str();
  return true;
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
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
    WriteFile(path, art);
    return ::testing::AssertionSuccess() << "rewrote " << path;
  }
  std::string expected;
  if (!ReadFile(path, expected)) {
    return ::testing::AssertionFailure()
           << "no golden " << path << " (run with KORVAN_UPDATE_GOLDEN=1 to create it)";
  }
  if (expected == art) return ::testing::AssertionSuccess();
  const std::string actualPath = std::string(KORVAN_GOLDEN_DIR) + "/" + name + ".actual.txt";
  WriteFile(actualPath, art);
  WriteArtPng(std::string(KORVAN_GOLDEN_DIR) + "/" + name + ".actual.png", art, 4);
  int x = 0;
  int y = 0;
  for (std::size_t i = 0; i < std::min(expected.size(), art.size()); ++i) {
    if (expected[i] != art[i]) {
      return ::testing::AssertionFailure()
             << name << ": first differing pixel at (" << x << ", " << y << "): expected '"
             << expected[i] << "', got '" << art[i] << "'; actual frame written to " << actualPath;
    }
    if (art[i] == '\n') {
      x = 0;
      ++y;
    } else {
      ++x;
    }
  }
  return ::testing::AssertionFailure() << name << ": frames differ in size (" << expected.size()
                                       << " against " << art.size() << " characters); actual "
                                       << "frame written to " << actualPath;
}

bool WriteArtPng(const std::string& path, const std::string& art, int scale) {
  std::vector<std::string> rows;
  std::istringstream lines(art);
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  if (rows.empty() || rows[0].empty() || scale < 1) return false;
  const int width = static_cast<int>(rows[0].size());
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width * scale),
               static_cast<png_uint_32>(rows.size() * scale), 8, PNG_COLOR_TYPE_GRAY,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> out(static_cast<std::size_t>(width) * scale);
  for (const std::string& row : rows) {
    for (int x = 0; x < width; ++x) {
      const png_byte value = x < static_cast<int>(row.size()) && row[x] == '#' ? 255 : 0;
      for (int s = 0; s < scale; ++s) out[static_cast<std::size_t>(x) * scale + s] = value;
    }
    for (int s = 0; s < scale; ++s) png_write_row(png, out.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return true;
}

}  // namespace korvan::testing
