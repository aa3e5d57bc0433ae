#pragma once

#include <memory>
#include <vector>

#include "lcd/LcdPage.h"

namespace korvan {

class LcdFacade;

// A page made by the facade: owns the items made on it and passes soft
// buttons on to the facade.
class LcdFacadePage final : public LcdPage {
 public:
  LcdFacadePage(LcdFacade& facade, Clock& clock, int width, int height)
      : LcdPage(clock), facade_(facade), width_(width), height_(height) {}

  // Adds the item to the page's list and takes ownership of it.
  template <typename Item>
  Item* Adopt(std::unique_ptr<Item> item) {
    Item* raw = item.get();
    AddItem(raw);
    owned_.push_back(std::move(item));
    return raw;
  }

  void OnButtonDown(std::int32_t button) override;
  void OnButtonUp(std::int32_t button) override;

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  LcdFacade& facade_;
  int width_;
  int height_;
  // Owned separately from the drawing list, so an item listed twice is
  // still destroyed once.
  std::vector<std::unique_ptr<LcdItem>> owned_;
};

}  // namespace korvan
