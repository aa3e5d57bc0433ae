#include "app/ButtonStep.h"

#include <cstdint>
#include <limits>

namespace korvan {
namespace {

constexpr int kSpeedStep = 5;
constexpr int kAltitudeStep = 10;
constexpr UnitMode kUnitModes = 4;

// The calculator's inputs have no limits; held long enough they stop at
// the ends of their range instead of overflowing.
void StepBy(std::int32_t& value, int step) {
  const std::int64_t next = std::int64_t{value} + step;
  if (next > std::numeric_limits<std::int32_t>::max() ||
      next < std::numeric_limits<std::int32_t>::min()) {
    return;
  }
  value = static_cast<std::int32_t>(next);
}

void ShowPage(AppContext& c, ScreenPage page) {
  c.facade.ShowPage(static_cast<int>(page));
  c.state.mainPageActive = page == ScreenPage::kMain;
  c.state.statusPageActive = page == ScreenPage::kStatus;
  c.state.calculatorPageActive = page == ScreenPage::kCalculator;
}

void ShowHint(AppContext& c, CalculatorItem hint, bool visible) {
  c.facade.SetVisible(c.items.calculator[hint], visible);
}

// Switches the held buttons between stepping the altitude and the speed,
// with the hint that says which.
void ToggleSteppedInput(AppContext& c) {
  AppState& state = c.state;
  if (state.adjustToggle == 0) {
    ShowHint(c, CalculatorItem::kAltitudeHint, true);
    ShowHint(c, CalculatorItem::kSpeedHint, false);
    state.adjustSpeed = false;
  } else if (state.adjustToggle == 1) {
    ShowHint(c, CalculatorItem::kSpeedHint, true);
    ShowHint(c, CalculatorItem::kAltitudeHint, false);
    state.adjustSpeed = true;
  }
  state.adjustToggle = (state.adjustToggle + 1) % 2;
}

}  // namespace

void ButtonStep(AppContext& c) {
  AppState& state = c.state;
  LcdFacade& buttons = c.facade;

  if (buttons.ButtonWentUp(0) && !state.calculatorInputActive) {
    ShowPage(c, ScreenPage::kMain);
    state.unitMode = (state.unitMode + 1) % kUnitModes;
  }
  if (buttons.ButtonWentUp(1) && !state.calculatorInputActive) {
    ShowPage(c, ScreenPage::kStatus);
  }
  if (buttons.ButtonWentUp(2)) {
    ShowPage(c, ScreenPage::kCalculator);
    state.calculatorInputActive = true;
    state.unitMode = state.unitMode + 1;
    if (state.unitMode == kUnitModes) {
      state.unitMode = 0;
      state.calculatorInputActive = false;
      ShowHint(c, CalculatorItem::kAltitudeHint, false);
      ShowHint(c, CalculatorItem::kSpeedHint, false);
    }
  }
  if (state.calculatorInputActive) {
    Configuration& inputs = c.configuration;
    if (buttons.ButtonIsDown(0) && state.adjustSpeed) StepBy(inputs.speed, -kSpeedStep);
    if (buttons.ButtonIsDown(1) && state.adjustSpeed) StepBy(inputs.speed, kSpeedStep);
    if (buttons.ButtonIsDown(0) && !state.adjustSpeed) StepBy(inputs.altitude, -kAltitudeStep);
    if (buttons.ButtonIsDown(1) && !state.adjustSpeed) StepBy(inputs.altitude, kAltitudeStep);
  }
  if (buttons.ButtonWentUp(3)) {
    if (state.calculatorInputActive) {
      ToggleSteppedInput(c);
    } else {
      state.resetRequested = true;
    }
  }
}

}  // namespace korvan
