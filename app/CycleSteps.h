#pragma once

namespace korvan {

// The steps of the display cycle that the screens, values and buttons
// provide. The cycle decides when each runs; these decide what it does.
class CycleSteps {
 public:
  virtual ~CycleSteps() = default;
  virtual void MainPageBlock() = 0;
  virtual void StatusPageBlock() = 0;
  virtual void CalculatorBlock() = 0;
  virtual void ButtonStep() = 0;
  // Advances, draws and pushes the shown page, and reads the soft buttons.
  virtual void FrameStep() = 0;
};

}  // namespace korvan
