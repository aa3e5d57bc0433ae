// The icon files of tests/data/icons, made by ImageBuilders.h; the
// reference-icons-* goldens were drawn from them: change them only together.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <tuple>

#include "tests/platform/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace korvan::testing {
namespace {

// A square with a white border; inside, vertical stripes left and horizontal
// ones top right, so the rows and columns a scaled copy samples show; bottom
// right a shape naming the entry: 's'quare, 'x' cross, 'b'ar or 'c'olumn.
Picture EntryPicture(int n, char shape) {
  std::string art;
  const int half = n / 2, size = n - half - 4;
  for (int i = 0; i < n * n; ++i) {
    const int x = i % n, y = i / n, u = x - half - 1, v = y - half - 1;
    const bool inShape = u >= 0 && v >= 0 && x < n - 2 && y < n - 2;
    const bool lit =
        x == 0 || y == 0 || x == n - 1 || y == n - 1 ||
        (y >= 2 && y < n - 2 && x >= 2 && x < half && x % 2 == 0) ||
        (y >= 2 && y < half && y % 2 == 0 && x > half && x < n - 2) ||
        (inShape && (shape == 's' || (shape == 'x' && (u == v || u + v == size - 1)) ||
                     (shape == 'b' && v >= size / 2) || (shape == 'c' && u < size / 2)));
    art += lit ? '#' : '.';
  }
  return Picture::FromArt(art, n);
}

// A 16 × 16 picture of horizontal bands, one per character.
Picture Bands(std::string_view keys) {
  std::string art;
  for (const char key : keys) art.append(16 * 16 / keys.size(), key);
  return Picture::FromArt(art, 16);
}

std::map<std::string, Bytes> IconFixtures() {
  // Several sizes and depths, each picture different so the chosen entry
  // shows; a 4-bit and an 8-bit entry share 32 × 32, the 8-bit one later.
  std::vector<IconEntrySpec> sized;
  for (const auto& [n, shape, bits] :
       {std::tuple{16, 's', 4}, {32, 'b', 4}, {32, 'x', 8}, {48, 'c', 24}})
    sized.push_back({n, n, bits, DibIconEntry(EntryPicture(n, shape), bits)});
  std::map<std::string, Bytes> files{{"sizes-ascending.ico", IconFile(sized)}};
  std::reverse(sized.begin(), sized.end());
  files["sizes-descending.ico"] = IconFile(sized);
  // One entry of each kind; the alpha one's AND mask says opaque throughout.
  const auto single = [](int bits, Bytes data) { return IconFile({{16, 16, bits, data}}); };
  const Picture colours = Bands("#.ry ~dg"), alphas = Bands("#. ~HLBb");
  files["mask-1bit.ico"] = single(1, DibIconEntry(Bands("#. ~"), 1));
  for (const int bits : {4, 8, 24})
    files["mask-" + std::to_string(bits) + "bit.ico"] = single(bits, DibIconEntry(colours, bits));
  files["mask-32bit-alpha.ico"] = single(32, DibIconEntry(alphas, 32, true, false));
  files["mask-32bit-noalpha.ico"] = single(32, DibIconEntry(colours, 32));
  files["mask-png.ico"] = single(32, PngData(alphas));
  return files;
}

// KORVAN_UPDATE_GOLDEN=1 rewrites the files.
TEST(IconFixtures, CommittedFilesAreWhatTheBuildersMake) {
  const char* update = std::getenv("KORVAN_UPDATE_GOLDEN");
  for (const auto& [name, bytes] : IconFixtures()) {
    const std::string path = KORVAN_SOURCE_DIR "/tests/data/icons/" + name;
    const std::string made(bytes.begin(), bytes.end());
    if (update != nullptr && update == std::string_view("1"))
      std::ofstream(path, std::ios::binary) << made;
    EXPECT_TRUE(ReadFile(path) == made) << path << " differs";
  }
}

}  // namespace
}  // namespace korvan::testing
