#include "app/DisplayCycle.h"

namespace korvan {

DisplayCycle::DisplayCycle(SimLink& link, Clock& clock, const Configuration& configuration,
                           AppState& state, FlightSample& sample, CycleSteps& steps,
                           const std::atomic<bool>& stopRequested)
    : link_(link),
      clock_(clock),
      configuration_(configuration),
      state_(state),
      sample_(sample),
      steps_(steps),
      stopRequested_(stopRequested) {}

bool DisplayCycle::RunOnce() {
  using Step = void (DisplayCycle::*)();
  static constexpr Step kOrder[] = {
      &DisplayCycle::FastExchange,  &DisplayCycle::SlowExchange,    &DisplayCycle::PendingReset,
      &DisplayCycle::MainPageBlock, &DisplayCycle::StatusPageBlock, &DisplayCycle::CalculatorBlock,
      &DisplayCycle::ButtonStep,    &DisplayCycle::FrameStep,       &DisplayCycle::Pause,
  };
  for (const Step step : kOrder) {
    if (stopRequested_.load(std::memory_order_relaxed)) return false;
    (this->*step)();
  }
  return !stopRequested_.load(std::memory_order_relaxed);
}

void DisplayCycle::Run() {
  while (RunOnce()) {
  }
}

void DisplayCycle::FastExchange() {
  link_.Exchange(kFastExchange, sample_);
}

void DisplayCycle::SlowExchange() {
  link_.Exchange(kSlowExchange, sample_);
}

void DisplayCycle::PendingReset() {
  if (state_.resetRequested) TakeReset(state_, sample_);
}

void DisplayCycle::MainPageBlock() {
  if (state_.mainPageActive) steps_.MainPageBlock();
}

void DisplayCycle::StatusPageBlock() {
  if (state_.statusPageActive) steps_.StatusPageBlock();
}

void DisplayCycle::CalculatorBlock() {
  if (state_.calculatorPageActive) steps_.CalculatorBlock();
}

void DisplayCycle::ButtonStep() {
  steps_.ButtonStep();
}

void DisplayCycle::FrameStep() {
  steps_.FrameStep();
}

void DisplayCycle::Pause() {
  clock_.Sleep(static_cast<std::uint32_t>(configuration_.sleep));
}

}  // namespace korvan
