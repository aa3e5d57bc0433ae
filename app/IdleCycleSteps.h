#pragma once

#include "app/CycleSteps.h"

namespace korvan {

// Cycle steps that do nothing: the cycle with no screens behind it, used
// until the LCD side is present and by measurements of the link alone.
class IdleCycleSteps final : public CycleSteps {
 public:
  void MainPageBlock() override {}
  void StatusPageBlock() override {}
  void CalculatorBlock() override {}
  void ButtonStep() override {}
  void FrameStep() override {}
};

}  // namespace korvan
