#pragma once

#include <atomic>

#include "app/AppState.h"
#include "app/CycleSteps.h"
#include "app/SimLink.h"

namespace korvan {

// One display cycle after another, in a fixed order: the fast and slow
// exchanges, the pending reset, the block of the shown page, the buttons,
// the frame, the pause. A raised stop flag ends the cycle after the step
// that is running.
class DisplayCycle {
 public:
  DisplayCycle(SimLink& link, Clock& clock, const Configuration& configuration, AppState& state,
               FlightSample& sample, CycleSteps& steps, const std::atomic<bool>& stopRequested);

  // Runs one cycle; false when it stopped early for the stop flag.
  bool RunOnce();

  // Runs cycles until the stop flag is raised.
  void Run();

 private:
  void FastExchange();
  void SlowExchange();
  void PendingReset();
  void MainPageBlock();
  void StatusPageBlock();
  void CalculatorBlock();
  void ButtonStep();
  void FrameStep();
  void Pause();

  SimLink& link_;
  Clock& clock_;
  const Configuration& configuration_;
  AppState& state_;
  FlightSample& sample_;
  CycleSteps& steps_;
  const std::atomic<bool>& stopRequested_;
};

}  // namespace korvan
