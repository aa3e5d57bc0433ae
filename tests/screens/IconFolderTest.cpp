#include "screens/IconFolder.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

// A folder with images/ keeps the relative name it always had; without one,
// the installed sets are found from the program's folder, and said.
TEST(IconFolder, HereFirstThenTheInstalledTreeThenNone) {
  const testing::TempDir root;
  const fs::path withImages = root.path() / "with", without = root.path() / "without";
  const fs::path installed = root.path() / "usr" / "share" / "korvan" / "images";
  fs::create_directories(withImages / "images");
  fs::create_directories(without);
  fs::create_directories(installed);
  root.Write("without/images", "a file, not a folder");
  const struct {
    fs::path current, program, folder;
    bool said;
  } rows[] = {{withImages, root.path() / "usr" / "bin", "images", false},
              {without, root.path() / "usr" / "bin", installed, true},
              {without, root.path() / "elsewhere" / "bin", "images", true}};
  for (const auto& [current, program, folder, said] : rows) {
    const IconFolder choice = ChooseIconFolder(current, program);
    EXPECT_EQ(choice.folder, folder) << program;
    EXPECT_EQ(!choice.notice.empty(), said) << program;
    EXPECT_EQ(choice.notice.find(installed.string()) != std::string::npos, folder != "images");
  }
}

}  // namespace
}  // namespace korvan
