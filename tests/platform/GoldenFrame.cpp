#include "tests/platform/GoldenFrame.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "platform/fonts/FontLibrary.h"
#include "tests/support/TempDir.h"

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
  std::string path = KORVAN_GOLDEN_DIR "/" + name;
  const char* update = std::getenv("KORVAN_UPDATE_GOLDEN");
  const std::string_view mode = update != nullptr ? update : "";
#ifdef _WIN32
  // Where GDI lays text out by widths of its own, its frame is pinned as
  // NAME.gdi.txt (KORVAN_UPDATE_GOLDEN=gdi writes it where frames differ).
  if (mode == "gdi" && ReadFile(path + ".txt") != art) {
    std::ofstream(path + ".gdi.txt", std::ios::binary) << art;
    return ::testing::AssertionSuccess() << "wrote " << path << ".gdi.txt";
  }
  if (std::ifstream(path + ".gdi.txt")) path += ".gdi";
#endif
  // The reference frames come from the real implementation, never from ours.
  if (mode == "1" && !name.starts_with("reference-")) {
    std::ofstream(path + ".txt", std::ios::binary) << art;
    return ::testing::AssertionSuccess() << "rewrote " << path << ".txt";
  }
  const std::string expected = ReadFile(path + ".txt");
  if (expected == art) return ::testing::AssertionSuccess();
  std::ofstream(path + ".actual.txt", std::ios::binary) << art;
  auto failure = ::testing::AssertionFailure() << name << ": ";
  if (!std::ifstream(path + ".txt")) {
    failure << "no golden (KORVAN_UPDATE_GOLDEN=1 creates it)";
  } else if (expected.size() != art.size()) {
    failure << "frames differ in size (" << expected.size() << " against " << art.size() << ")";
  } else {  // rows of equal length, each with its newline
    const auto at = static_cast<std::size_t>(
        std::mismatch(expected.begin(), expected.end(), art.begin()).first - expected.begin());
    const std::size_t row = expected.find('\n') + 1;
    failure << "first differing pixel at (" << at % row << ", " << at / row << "): expected '"
            << expected[at] << "', got '" << art[at] << "'";
  }
  return failure << "; actual frame written to " << path << ".actual.txt";
}

// GDI picks faces by name and has no files to pin: Windows asks for them.
void PinTestFonts() {
#ifndef _WIN32
  const std::string dir = "/usr/share/fonts/truetype/liberation/LiberationSans-";
  for (const char16_t* face : {u"Microsoft Sans Serif", u""}) {
    FontLibrary::Instance().Pin(face, false, dir + "Regular.ttf");
    FontLibrary::Instance().Pin(face, true, dir + "Bold.ttf");
  }
#endif
}

}  // namespace korvan::testing
