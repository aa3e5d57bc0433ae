#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/fonts/FontLibrary.h"
#include "tests/platform/FontPins.h"
#include "tests/platform/RasterScene.h"

namespace korvan::testing {
namespace {

class FontTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }
};

struct Expected {
  int height, weight, ascent, descent, averageCharWidth, digits;
};

// Line metrics the reference implementation reports for these sizes.
TEST_F(FontTest, MetricsMatchTheReference) {
  const Expected cases[] = {
      {-9, 400, 8, 2, 5, 50},    {-11, 400, 10, 2, 6, 60}, {-16, 400, 14, 3, 9, 90},
      {12, 400, 10, 2, 6, 60},   {-9, 700, 8, 2, 6, 50},   {-11, 700, 10, 2, 7, 60},
      {-16, 700, 14, 3, 10, 90}, {12, 700, 10, 2, 7, 60},
  };
  for (const Expected& e : cases) {
    SCOPED_TRACE(::testing::Message() << "height " << e.height << " weight " << e.weight);
    const Font font(SansFont(e.height, e.weight));
    const FontMetrics& metrics = font.Face().Metrics();
    EXPECT_EQ(metrics.ascent, e.ascent);
    EXPECT_EQ(metrics.descent, e.descent);
    EXPECT_EQ(metrics.height, e.ascent + e.descent);
    EXPECT_EQ(metrics.averageCharWidth, e.averageCharWidth);
    RasterContext dc;
    dc.SelectFont(&font);
    EXPECT_EQ(dc.GetTextExtent(u"0123456789").cx, e.digits);
  }
}

TEST_F(FontTest, TheWindowsSansFaceResolvesToLiberationSans) {
  FontLibrary& library = FontLibrary::Instance();
  // Not pinned: our own preference must find it through fontconfig.
  const std::string regular = library.ResolvePath(u"MS Sans Serif", false);
  const std::string bold = library.ResolvePath(u"MS Sans Serif", true);
  EXPECT_NE(regular.find("LiberationSans-Regular"), std::string::npos) << regular;
  EXPECT_NE(bold.find("LiberationSans-Bold"), std::string::npos) << bold;
  EXPECT_NE(Font::StockGui().Face().Path().find("LiberationSans-Regular"), std::string::npos);
  EXPECT_EQ(Font::StockGui().Face().PixelSize(), 11);
}

TEST_F(FontTest, UnknownFacesAndOddSizesStillGiveASaneFont) {
  FontDescription unknown = SansFont(-11, kWeightNormal);
  const std::u16string name = u"No Such Face At All";
  std::copy(name.begin(), name.end(), unknown.faceName.begin());
  const Font font(unknown);
  EXPECT_FALSE(font.Face().Path().empty());
  EXPECT_GT(font.Face().GetGlyph(U'8').advance, 0);

  EXPECT_EQ(Font(SansFont(0, 0)).Face().PixelSize(), 11) << "0 means the default height";
  const Font tiny(SansFont(-1, 0));
  EXPECT_EQ(tiny.Face().PixelSize(), 1);
  EXPECT_GE(tiny.Face().Metrics().height, 0);
  for (int height : {INT_MIN, -100000, 100000, INT_MAX}) {
    const Font absurd(SansFont(height, kWeightNormal));
    EXPECT_EQ(absurd.Face().PixelSize(), 256) << height;
    EXPECT_LE(absurd.Face().GetGlyph(U'W').width, 512);
  }
}

TEST_F(FontTest, GlyphsAreRasterisedOnceAndShared) {
  const Font a(SansFont(-11, kWeightNormal));
  const Font b(SansFont(-11, kWeightNormal));
  EXPECT_EQ(&a.Face(), &b.Face());
  const Glyph& first = a.Face().GetGlyph(U'7');
  EXPECT_EQ(&first, &b.Face().GetGlyph(U'7'));
  EXPECT_EQ(&a.Face().GetGlyph(U'\u20AC'), &b.Face().GetGlyph(U'\u20AC'));
  EXPECT_NE(&a.Face(), &Font(SansFont(-11, kWeightBold)).Face());
}

}  // namespace
}  // namespace korvan::testing
