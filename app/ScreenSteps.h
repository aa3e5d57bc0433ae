#pragma once

#include "app/AppContext.h"
#include "app/ButtonStep.h"
#include "app/CycleSteps.h"
#include "app/PageBlocks.h"

namespace korvan {

// The cycle steps that drive the screens through the facade.
class ScreenSteps final : public CycleSteps {
 public:
  explicit ScreenSteps(AppContext context) : context_(context) {}

  void MainPageBlock() override { korvan::MainPageBlock(context_); }
  void StatusPageBlock() override { korvan::StatusPageBlock(context_); }
  void CalculatorBlock() override { korvan::CalculatorBlock(context_); }
  void ButtonStep() override { korvan::ButtonStep(context_); }
  void FrameStep() override { context_.facade.Update(); }

 private:
  AppContext context_;
};

}  // namespace korvan
