#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string>

#include "platform/images/ImageFile.h"
#include "platform/images/ImageDecoding.h"
#include "tests/platform/ImageBuilders.h"
#include "tests/support/TempDir.h"

namespace korvan::testing {
namespace {

namespace fs = std::filesystem;

// Runs a test body inside a folder, as the application runs in its own.
class CurrentFolder {
 public:
  explicit CurrentFolder(const fs::path& folder) : previous_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~CurrentFolder() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

const Picture& Art() {
  static const Picture art = Picture::FromArt({"#. ", " .#"});
  return art;
}

TEST(ImageFile, UnreadableFilesGiveNull) {
  const TempDir dir;
  const CurrentFolder inside(dir.path());
  fs::create_directories("images/folder.ico");
  EXPECT_EQ(LoadIconFile("images\\missing.ico", 16, 16), nullptr);
  EXPECT_EQ(LoadIconFile("images\\folder.ico", 16, 16), nullptr);
  EXPECT_EQ(LoadBitmapFile("images\\folder.ico"), nullptr);
  dir.Write("empty.ico", "");
  EXPECT_EQ(LoadIconFile("empty.ico", 16, 16), nullptr);

  // A FIFO with no writer must not block the loader.
  ASSERT_EQ(mkfifo("pipe.ico", 0600), 0);
  EXPECT_EQ(LoadIconFile("pipe.ico", 16, 16), nullptr);
}

TEST(ImageFile, StoredPathsResolveAgainstTheCurrentFolderUpToTheSizeCap) {
  const TempDir dir;
  fs::create_directories(dir.path() / "images");
  Bytes icon = IconFile({{3, 2, 24, DibIconEntry(Art(), 24)}});
  dir.Write("images/ok.ico", AsString(icon));
  dir.Write("images/b.bmp", AsString(BmpFile(Art(), 24)));
  icon.resize(kMaxImageFileBytes + 1);  // trailing bytes alone would be harmless
  dir.Write("images/big.ico", AsString(icon));
  const CurrentFolder inside(dir.path());
  EXPECT_NE(LoadIconFile("images\\ok.ico", 0, 0), nullptr);
  EXPECT_EQ(LoadIconFile("images\\big.ico", 0, 0), nullptr);
  const auto bitmap = LoadBitmapFile("images\\b.bmp");
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->PixelAt(0, 0), 255);
}

// The project's own icon sets, at the widths the status page requests.
struct IconSet {
  const char* name;
  std::array<int, 4> widths;
};
constexpr std::array<IconSet, 5> kSets{{{"seafire", {15, 30, 10, 35}},
                                        {"me109", {18, 20, 15, 38}},
                                        {"f4u", {18, 23, 15, 34}},
                                        {"zero", {29, 11, 17, 33}},
                                        {"yak1", {16, 17, 15, 42}}}};
constexpr std::array<int, 4> kStates{2, 2, 4, 3};

TEST(ProjectIcons, AllFiftyFiveLoadAtTheirOwnSizeWithLitAndTransparentPixels) {
  const CurrentFolder inside(fs::path(KORVAN_SOURCE_DIR) / "assets");
  int loaded = 0;
  for (const IconSet& set : kSets) {
    for (int indicator = 1; indicator <= 4; ++indicator) {
      for (int state = 0; state < kStates[indicator - 1]; ++state) {
        const std::string path = std::string("images\\") + set.name + "\\" +
                                 std::to_string(indicator) + "_" + std::to_string(state) + ".ico";
        SCOPED_TRACE(path);
        const auto icon = LoadIconFile(path, 0, 0);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->width, set.widths[indicator - 1]) << "the file is drawn at its own size";
        EXPECT_EQ(icon->height, 30);
        int lit = 0, transparent = 0;
        for (std::size_t i = 0; i < icon->color.size(); ++i) {
          lit += icon->color[i] == 255 && icon->mask[i] == 0;
          transparent += icon->mask[i] == 255;
        }
        EXPECT_GT(lit, 0);
        EXPECT_GT(transparent, 0);
        ++loaded;
      }
    }
  }
  EXPECT_EQ(loaded, 55);
}

}  // namespace
}  // namespace korvan::testing
