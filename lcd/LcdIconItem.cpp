#include "lcd/LcdIconItem.h"

#include "lcd/LcdCanvas.h"

namespace korvan {

void LcdIconItem::Draw(LcdCanvas& canvas) {
  RasterContext* dc = canvas.GetDeviceContext();
  if (dc == nullptr) return;
  // The mask, not the background mode, makes the icon transparent; the mode
  // is set for the draw all the same and put back, also without an icon.
  const int previous = dc->SetBackgroundMode(kTransparent);
  if (icon_ != nullptr) dc->DrawIcon(0, 0, *icon_, iconWidth_, iconHeight_);
  dc->SetBackgroundMode(previous);
}

}  // namespace korvan
