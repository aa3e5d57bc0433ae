// Loads the icon files of tools/raster-reference/icons.cpp with our loader,
// draws them with our icon draw in the same scenes and compares the frames
// with the ones the real loader and DrawIconEx produced there (under Wine).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/images/ImageFile.h"
#include "tests/platform/RasterScene.h"

namespace korvan::testing {
namespace {

// Art with the golden's own pixels copied into `areas`: where the real loader
// under Wine does not stand for the desktop (each use says why), the frame
// is compared everywhere else.
std::string WithGoldenIn(std::string art, const std::string& name, const std::vector<Rect>& areas) {
  std::ifstream in(std::string(KORVAN_SOURCE_DIR) + "/tests/golden/" + name + ".txt");
  std::stringstream golden;
  golden << in.rdbuf();
  const std::string text = golden.str();
  const std::size_t stride = 161;  // 160 pixels and a newline
  for (const Rect& area : areas) {
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const std::size_t at = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x);
        if (at < text.size() && at < art.size()) art[at] = text[at];
      }
    }
  }
  return art;
}

class IconReferenceTest : public ::testing::Test {
 protected:
  void Fill(int left, int top, int right, int bottom) {
    dc.FillRect({left, top, right, bottom}, GetStockBrush(StockBrush::White));
  }

  // Paths as the application stores them, with backslashes.
  void Draw(const std::string& file, int x, int y, int cx, int cy) {
    const auto icon = LoadIconFile(std::string(KORVAN_SOURCE_DIR) + "\\" + file, cx, cy);
    ASSERT_NE(icon, nullptr) << file;
    ASSERT_EQ(icon->width, cx);
    ASSERT_EQ(icon->height, cy);
    dc.DrawIcon(x, y, *icon, cx, cy);
  }

  // Entries 16 (4 bits), 32 (4 bits), 32 (8 bits) and 48 (24 bits), each a
  // different picture, so the frame shows which one each size chose.
  void DrawSizes(const std::string& file) {
    const struct {
      int x, cx, cy;
    } cells[] = {{2, 16, 16},  {20, 24, 24},  {46, 30, 30},
                 {78, 40, 40}, {120, 20, 20}, {142, 16, 40}};
    for (const auto& cell : cells) Draw(file, cell.x, 1, cell.cx, cell.cy);
  }

  RasterScene scene;
  RasterContext& dc = scene.context;
};

TEST_F(IconReferenceTest, ProjectIconsAtTheirOwnSize) {
  Fill(0, 20, 160, 43);
  Fill(8, 0, 12, 43);
  Draw("assets\\images\\seafire\\1_0.ico", 2, 2, 15, 30);
  Draw("assets\\images\\me109\\4_1.ico", 20, 2, 38, 30);
  Draw("assets\\images\\f4u\\2_0.ico", 60, 2, 23, 30);
  Draw("assets\\images\\zero\\1_0.ico", 86, 2, 29, 30);
  Draw("assets\\images\\yak1\\4_0.ico", 117, 2, 42, 30);
  EXPECT_TRUE(MatchesGolden("reference-icons-project", scene.Art()));
}

TEST_F(IconReferenceTest, ProjectIconsScaledByTheLoader) {
  Fill(0, 20, 160, 43);
  Draw("assets\\images\\seafire\\3_0.ico", 2, 2, 20, 30);
  Draw("assets\\images\\me109\\4_1.ico", 25, 2, 19, 30);
  Draw("assets\\images\\zero\\2_0.ico", 47, 2, 30, 30);
  Draw("assets\\images\\me109\\1_0.ico", 80, 2, 18, 15);
  Draw("assets\\images\\yak1\\4_0.ico", 100, 2, 25, 30);
  Draw("assets\\images\\f4u\\3_0.ico", 128, 2, 29, 40);
  EXPECT_TRUE(MatchesGolden("reference-icons-project-scaled", scene.Art()));
}

// At 16 x 40 the 16 and the 32 pixel entries are equally close. Wine keeps
// whichever comes first in the file; we take the larger, whatever the order
// (the descending file, where the two agree, checks that cell).
TEST_F(IconReferenceTest, SizeEntriesInAscendingOrder) {
  DrawSizes("tests\\data\\icons\\sizes-ascending.ico");
  const std::string name = "reference-icons-sizes-ascending";
  EXPECT_TRUE(MatchesGolden(name, WithGoldenIn(scene.Art(), name, {{142, 1, 158, 41}})));
}

TEST_F(IconReferenceTest, SizeEntriesInDescendingOrder) {
  DrawSizes("tests\\data\\icons\\sizes-descending.ico");
  EXPECT_TRUE(MatchesGolden("reference-icons-sizes-descending", scene.Art()));
}

// Under Wine, DrawIconEx into the 8-bit page ignores alpha: a 32-bit entry
// is drawn through its AND mask (here opaque throughout), a PNG entry
// through a mask of "alpha below 255" with its colours kept, so its
// half-transparent whites invert. The desktop blends both by alpha, which
// our threshold stands for; below their opaque white and black bands those
// two columns are left out.
TEST_F(IconReferenceTest, MaskSemanticsOfEveryEntryKind) {
  const char* const files[] = {
      "mask-1bit.ico",        "mask-4bit.ico",          "mask-8bit.ico", "mask-24bit.ico",
      "mask-32bit-alpha.ico", "mask-32bit-noalpha.ico", "mask-png.ico",
  };
  int x = 2;
  for (const char* file : files) {
    Fill(x - 1, 0, x + 10, 43);
    Draw(std::string("tests\\data\\icons\\") + file, x, 1, 16, 16);
    Draw(std::string("tests\\data\\icons\\") + file, x, 21, 20, 20);
    x += 23;
  }
  const std::string name = "reference-icons-masks";
  const int alpha = 2 + 4 * 23, png = 2 + 6 * 23;
  EXPECT_TRUE(MatchesGolden(name, WithGoldenIn(scene.Art(), name,
                                               {{alpha, 5, alpha + 20, 17},
                                                {alpha, 25, alpha + 20, 41},
                                                {png, 5, png + 20, 17},
                                                {png, 25, png + 20, 41}})));
}

}  // namespace
}  // namespace korvan::testing
