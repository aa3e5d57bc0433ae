#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/fonts/Font.h"
#include "platform/raster/RasterContext.h"
#include "tests/platform/GoldenFrame.h"

namespace korvan::testing {

inline const Brush& kWhiteBrush = GetStockBrush(StockBrush::White);

// A black 160 × 43 surface in a context set up as the LCD canvas sets its
// context up for a pass: white text on black, transparent background.
struct RasterScene {
  RasterScene() {
    context.SelectSurface(surface.get());
    context.FillRect({0, 0, 160, 43}, GetStockBrush(StockBrush::Black));
    context.SetTextColor(kWhite);
    context.SetBackgroundColor(kBlack);
    context.SetBackgroundMode(kTransparent);
  }

  void Line(int x1, int y1, int x2, int y2) {
    context.MoveTo(x1, y1);
    context.LineTo(x2, y2);
  }
  std::string Art() const {
    return FrameToArt(surface->Bits(), surface->Width(), surface->Height(), surface->Stride());
  }

  std::unique_ptr<PixelSurface> surface = PixelSurface::Create(160, 43);
  RasterContext context;
};

inline FontDescription SansFont(int height, int weight) {
  FontDescription description;
  description.height = height;
  description.weight = weight;
  std::u16string_view(u"Microsoft Sans Serif").copy(description.faceName.data(), 20);
  return description;
}

}  // namespace korvan::testing
