#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "platform/fonts/Font.h"
#include "platform/raster/RasterContext.h"
#include "tests/platform/GoldenFrame.h"

namespace korvan::testing {

inline const Brush& kWhiteBrush = GetStockBrush(StockBrush::White);

// The sans the screens ask for; its files are pinned before any font is made.
inline FontDescription SansFont(int height, int weight = kWeightNormal) {
  PinTestFonts();
  FontDescription description{height, weight, {}};
  std::u16string_view(u"Microsoft Sans Serif").copy(description.faceName.data(), 20);
  return description;
}

// A black 160 × 43 surface in a context set up as the LCD canvas sets it up
// for a pass (white text, transparent background), with the 11-pixel sans.
struct RasterScene {
  RasterScene() {
    dc.SelectSurface(surface.get());
    dc.SelectFont(&font);
    dc.SetTextColor(kWhite);
    dc.SetBackgroundColor(kBlack);
    dc.SetBackgroundMode(kTransparent);
  }
  void Line(int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
  }
  std::string Art() const {
    return FrameToArt(surface->Bits(), surface->Width(), surface->Height(), surface->Stride());
  }
  // The frame holds only the two pixel values, and matches the golden.
  ::testing::AssertionResult Matches(const std::string& golden) const {
    const std::uint8_t* bits = surface->Bits();
    if (std::any_of(bits, bits + 160 * 43, [](auto v) { return v != 0 && v != 255; }))
      return ::testing::AssertionFailure() << golden << ": a pixel neither black nor white";
    return MatchesGolden(golden, Art());
  }

  const Font font{SansFont(-11)};
  std::unique_ptr<PixelSurface> surface = PixelSurface::Create(160, 43);
  RasterContext dc;
};

}  // namespace korvan::testing
