#pragma once

#include "lcd/LcdItem.h"
#include "platform/images/IconImage.h"

namespace korvan {

// Draws an icon through its transparency mask, stretched to the icon size,
// from the item's drawing origin; the item's box only clips it. The icon is
// borrowed: its owner keeps it alive and the item never frees it.
class LcdIconItem : public LcdItem {
 public:
  ~LcdIconItem() override = default;

  void Draw(LcdCanvas& canvas) override;

  // Null is accepted and makes the item draw nothing.
  void SetIcon(const IconImage* icon, int width, int height) {
    icon_ = icon;
    iconWidth_ = width;
    iconHeight_ = height;
  }
  const IconImage* GetIcon() const { return icon_; }
  int GetIconWidth() const { return iconWidth_; }
  int GetIconHeight() const { return iconHeight_; }

 private:
  const IconImage* icon_ = nullptr;
  int iconWidth_ = 16;
  int iconHeight_ = 16;
};

}  // namespace korvan
