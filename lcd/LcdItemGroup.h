#pragma once

#include <cstdint>
#include <vector>

#include "lcd/LcdItem.h"

namespace korvan {

// An item that draws an ordered list of children, each clipped to its own
// box and drawn from its own origin (device coordinates, not relative to the
// group). Later children are drawn over earlier ones. The group does not own
// its children.
class LcdItemGroup : public LcdItem {
 public:
  void SetVisible(bool visible) override;
  void ResetUpdate() override;
  void Draw(LcdCanvas& canvas) override;
  void Update(std::uint32_t now) override;

  // Appends without any test; the same item may stand in the list twice.
  std::int32_t AddItem(LcdItem* item);
  // Removes the first entry equal to `item`, if there is one.
  std::int32_t RemoveItem(LcdItem* item);
  // True when `item` stands in the list; compares addresses only.
  bool Contains(const LcdItem* item) const;

 private:
  std::vector<LcdItem*> children_;
};

}  // namespace korvan
