#include "platform/raster/RasterObjects.h"

namespace korvan {

const Brush& GetStockBrush(StockBrush which) {
  static const Brush black{kBlack};
  static const Brush white{kWhite};
  return which == StockBrush::White ? white : black;
}

const Pen& GetStockPen(StockPen which) {
  static const Pen black{PenStyle::Solid, kBlack};
  static const Pen white{PenStyle::Solid, kWhite};
  return which == StockPen::White ? white : black;
}

}  // namespace korvan
