#include "lcd/LcdItemGroup.h"

#include <algorithm>

#include "lcd/LcdCanvas.h"

namespace korvan {

void LcdItemGroup::SetVisible(bool visible) {
  for (LcdItem* child : children_) child->SetVisible(visible);
  LcdItem::SetVisible(visible);
}

void LcdItemGroup::ResetUpdate() {
  for (LcdItem* child : children_) child->ResetUpdate();
}

void LcdItemGroup::Update(std::uint32_t now) {
  for (LcdItem* child : children_) child->Update(now);
}

void LcdItemGroup::Draw(LcdCanvas& canvas) {
  RasterContext* dc = canvas.GetDeviceContext();
  if (dc == nullptr) return;
  for (LcdItem* child : children_) {
    if (!child->IsVisible()) continue;
    const Point origin = child->GetOrigin();
    // A box with a negative size has no area: the clip then shows nothing.
    dc->SelectClipRect({origin.x, origin.y, AddSaturated(origin.x, child->GetWidth()),
                        AddSaturated(origin.y, child->GetHeight())});
    const Point previous = dc->SetViewportOrigin(origin);
    const Point& logical = child->GetLogicalOrigin();
    dc->OffsetViewportOrigin(logical.x, logical.y);
    child->Draw(canvas);
    // Clipping does not nest: the group leaves no clip at all behind.
    dc->RemoveClip();
    dc->SetViewportOrigin(previous);
  }
}

std::int32_t LcdItemGroup::AddItem(LcdItem* item) {
  children_.push_back(item);
  return 1;
}

std::int32_t LcdItemGroup::RemoveItem(LcdItem* item) {
  const auto found = std::find(children_.begin(), children_.end(), item);
  if (found != children_.end()) children_.erase(found);
  return 0;
}

bool LcdItemGroup::Contains(const LcdItem* item) const {
  return std::find(children_.begin(), children_.end(), item) != children_.end();
}

}  // namespace korvan
