#pragma once

#include "platform/pixels/Color.h"

namespace korvan {

// A solid brush: what FillRect and FrameRect paint with.
struct Brush {
  Color color = kBlack;
};

enum class PenStyle { Solid, Dot, Null };

// A cosmetic one-pixel pen. The dotted style draws 3 pixels on, 3 off.
struct Pen {
  PenStyle style = PenStyle::Solid;
  Color color = kBlack;
};

enum class StockBrush { Black, White };
enum class StockPen { Black, White };

// Shared, never freed objects, like the desktop API's stock objects.
const Brush& GetStockBrush(StockBrush which);
const Pen& GetStockPen(StockPen which);

}  // namespace korvan
