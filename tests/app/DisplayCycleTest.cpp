#include "app/DisplayCycle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/FakeClock.h"
#include "tests/support/FakeDatagramSocket.h"

namespace korvan {
namespace {

using Log = std::vector<std::string>;

// Records every step into one shared log, and can act at a step.
class RecordingSteps final : public CycleSteps {
 public:
  explicit RecordingSteps(Log& log) : log_(log) {}
  void MainPageBlock() override { Record("main"); }
  void StatusPageBlock() override { Record("status"); }
  void CalculatorBlock() override { Record("calculator"); }
  void ButtonStep() override { Record("buttons"); }
  void FrameStep() override { Record("frame"); }

  std::function<void(const std::string&)> onStep;

 private:
  void Record(const std::string& step) {
    log_.push_back(step);
    if (onStep) onStep(step);
  }
  Log& log_;
};

class DisplayCycleTest : public ::testing::Test {
 protected:
  DisplayCycleTest() {
    configuration_.sleep = 100;
    configuration_.countdown = 30;
    state_ = InitialAppState(configuration_);
    socket_.onSend = [this](const std::string& request) { log_.push_back("send " + request); };
    clock_.onSleep = [this](std::uint32_t ms) { log_.push_back("sleep " + std::to_string(ms)); };
  }

  // Queues the simulator's answers for the next cycle's two exchanges.
  void QueueAnswers(float clock, float fuel) {
    socket_.waiting.push_back("A/30\\1/32\\1/40\\1/42\\1/50\\" + std::to_string(fuel));
    socket_.waiting.push_back(
        "A/20\\" + std::to_string(clock) +
        "/164\\0/172\\0/174\\0/214\\0/216\\0/82\\0/94\\0/96\\0/98\\0/22\\Yak");
  }

  Log log_;
  Configuration configuration_;
  AppState state_;
  FlightSample sample_;
  testing::FakeClock clock_;
  testing::FakeDatagramSocket socket_;
  SimLink link_{socket_, clock_, Ipv4Endpoint{0x7F000001, SimLink::kSimulatorPort}};
  RecordingSteps steps_{log_};
  std::atomic<bool> stop_{false};
  DisplayCycle cycle_{link_, clock_, configuration_, state_, sample_, steps_, stop_};
};

TEST_F(DisplayCycleTest, OneCycleRunsItsStepsInOrder) {
  EXPECT_TRUE(cycle_.RunOnce());
  const Log expected = {"send R/30/32/40/42/50",
                        "sleep 10",
                        "send R/20/164/172/174/214/216/82/94/96/98/22",
                        "sleep 10",
                        "main",
                        "buttons",
                        "frame",
                        "sleep 100"};
  EXPECT_EQ(log_, expected);
  EXPECT_EQ(socket_.receives, 2);
  EXPECT_EQ(socket_.lastDestination.port, 6060);
  EXPECT_EQ(clock_.TickCount(), 120u);
}

TEST_F(DisplayCycleTest, OnlyTheShownPageBlockRuns) {
  state_.mainPageActive = false;
  state_.statusPageActive = true;
  cycle_.RunOnce();
  state_.statusPageActive = false;
  state_.calculatorPageActive = true;
  cycle_.RunOnce();
  Log blocks;
  for (const auto& entry : log_) {
    if (entry == "main" || entry == "status" || entry == "calculator") blocks.push_back(entry);
  }
  EXPECT_EQ(blocks, (Log{"status", "calculator"}));
}

TEST_F(DisplayCycleTest, ResetRequestedInOneCycleTakesTheNextCyclesValues) {
  QueueAnswers(10.5f, 80);
  steps_.onStep = [this](const std::string& step) {
    if (step == "buttons" && log_.size() < 10) state_.resetRequested = true;
  };
  cycle_.RunOnce();
  EXPECT_TRUE(state_.resetRequested);
  EXPECT_FLOAT_EQ(state_.countdownStart, 0);

  QueueAnswers(11.25f, 60);
  cycle_.RunOnce();
  EXPECT_FALSE(state_.resetRequested);
  EXPECT_FLOAT_EQ(state_.countdownStart, 11.25f);
  EXPECT_FLOAT_EQ(state_.fuelReference, 0.6f);
  EXPECT_FLOAT_EQ(state_.countdownLength, 0.5f);
}

TEST_F(DisplayCycleTest, StopFlagEndsTheCycleAfterTheRunningStep) {
  steps_.onStep = [this](const std::string& step) {
    if (step == "main") stop_ = true;
  };
  cycle_.Run();  // returns instead of cycling forever
  EXPECT_EQ(log_.back(), "main");
  EXPECT_EQ(clock_.sleeps.size(), 2u);  // the configured pause never started
}

}  // namespace
}  // namespace korvan
