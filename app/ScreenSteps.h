#pragma once

#include "app/CycleSteps.h"
#include "lcdlink/LcdFacade.h"
#include "screens/ScreenItems.h"

namespace korvan {

// The cycle steps that drive the screens through the facade.
class ScreenSteps final : public CycleSteps {
 public:
  ScreenSteps(LcdFacade& facade, ScreenItems& items) : facade_(facade), items_(items) {}

  void MainPageBlock() override {}
  void StatusPageBlock() override {}
  void CalculatorBlock() override {}
  void ButtonStep() override {}
  void FrameStep() override { facade_.Update(); }

 private:
  LcdFacade& facade_;
  [[maybe_unused]] ScreenItems& items_;
};

}  // namespace korvan
