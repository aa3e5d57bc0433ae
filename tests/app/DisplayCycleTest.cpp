// The display cycle with all the program puts in it but the simulator, whose
// answers come from a queue, and the LCD service: the scripted one, which
// takes the frames and whose buttons reach the button step through the
// facade as in the program. Frames are compared with goldens.

#include "app/DisplayCycle.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "app/ScreenSteps.h"
#include "screens/IconSets.h"
#include "screens/ScreenBuilder.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

using testing::ScriptedService;

class AnswerQueue final : public DatagramSocket {
 public:
  bool SendTo(const Ipv4Endpoint&, std::span<const char>) override { return true; }
  ReceiveResult Receive(std::span<char> buffer) override {
    if (answers.empty()) return {};
    const std::size_t size = answers.front().copy(buffer.data(), buffer.size());
    answers.pop_front();
    return {ReceiveStatus::kReceived, size, {}};
  }
  std::deque<std::string> answers;
};

class DisplayCycleTest : public ::testing::Test {
 protected:
  DisplayCycleTest() : table_(ScriptedService::Table()), service_(table_) {
    clock_.Advance(1000);
    state_ = InitialAppState(configuration_);
    // The icons load from images/ in the current folder, as in the program's.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KORVAN_SOURCE_DIR "/assets");
    BuildScreens(facade_, items_);
    BuildStatusPage(facade_, items_, icons_);
    std::filesystem::current_path(previous);
    ShowFirstFrame(facade_);
  }

  // One cycle with `buttons` down. The button step sees what the previous
  // cycle's frame step read, so a click acts in the third cycle.
  void Cycle(std::uint32_t buttons = 0) {
    ScriptedService::buttons = buttons;
    socket_.answers = {"A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\" + fuel_,
                       "A/20\\" + time_ + "/164\\1/172\\0/174\\1/214\\0/216\\0/82\\-0.6/94\\" +
                           "-12.5/96\\3.25/98\\271.5/22\\" + name_};
    EXPECT_TRUE(cycle_.RunOnce());
  }
  void Click(int button) {
    for (const std::uint32_t buttons : {1u << button, 0u, 0u}) Cycle(buttons);
  }
  ::testing::AssertionResult FrameIs(const std::string& golden) const {
    const std::uint8_t* pixels = ScriptedService::lastFrame.data() + LCD_FRAME_HEADER_BYTES;
    return testing::MatchesGolden(golden, testing::FrameToArt(pixels, 160, 43, 160));
  }

  testing::FakeClock clock_;
  LcdServiceTable table_;
  LcdManagerService service_;
  LcdFacade facade_{clock_, service_};
  ScreenItems items_;
  LoadedIcons icons_;
  Configuration configuration_{6060, "", 100, 90, 1000, 300};
  AppState state_;
  FlightSample sample_;
  std::string fuel_ = "80", time_ = "10.5", name_ = "Bf-109G-2";
  AnswerQueue socket_;
  SimLink link_{socket_, clock_, std::nullopt};
  ScreenSteps steps_{AppContext{facade_, items_, state_, sample_, configuration_}};
  std::atomic<bool> stop_{false};
  DisplayCycle cycle_{link_, clock_, configuration_, state_, sample_, steps_, stop_};
};

enum class Screen { kMain, kStatus, kInput, kIdle };  // kInput, kIdle: the calculator's

TEST_F(DisplayCycleTest, EveryButtonReleaseInEveryStateGoesWhereItShould) {
  using enum Screen;
  // From a screen and unit mode, a button's release leads to a screen and
  // unit mode, and may ask for a reset.
  const std::tuple<Screen, UnitMode, int, Screen, UnitMode, bool> rows[] = {
      {kMain, 1, 0, kMain, 2, false},    {kMain, 3, 0, kMain, 0, false},
      {kMain, 1, 1, kStatus, 1, false},  {kMain, 1, 2, kInput, 2, false},
      {kMain, 3, 2, kIdle, 0, false},    {kMain, 1, 3, kMain, 1, true},
      {kStatus, 2, 0, kMain, 3, false},  {kStatus, 2, 1, kStatus, 2, false},
      {kStatus, 2, 2, kInput, 3, false}, {kStatus, 2, 3, kStatus, 2, true},
      {kInput, 1, 0, kInput, 1, false},  {kInput, 1, 1, kInput, 1, false},
      {kInput, 2, 2, kInput, 3, false},  {kInput, 3, 2, kIdle, 0, false},
      {kInput, 1, 3, kInput, 1, false},  {kIdle, 0, 0, kMain, 1, false},
      {kIdle, 0, 1, kStatus, 0, false},  {kIdle, 0, 2, kInput, 1, false},
      {kIdle, 0, 3, kIdle, 0, true}};
  for (const auto& [from, mode, button, to, modeAfter, reset] : rows) {
    state_.mainPageActive = from == kMain;
    state_.statusPageActive = from == kStatus;
    state_.calculatorPageActive = from == kInput || from == kIdle;
    state_.calculatorInputActive = from == kInput;
    state_.unitMode = mode;
    state_.resetRequested = false;
    Click(button);
    const Screen screen = state_.mainPageActive          ? kMain
                          : state_.statusPageActive      ? kStatus
                          : state_.calculatorInputActive ? kInput
                                                         : kIdle;
    EXPECT_EQ(std::tuple(screen, state_.unitMode, state_.resetRequested),
              std::tuple(to, modeAfter, reset))
        << "from screen " << static_cast<int>(from) << ", button " << button;
  }
}

TEST_F(DisplayCycleTest, AResetTakesTheValuesOfTheCycleAfterTheClick) {
  Click(3);
  fuel_ = "50";
  time_ = "11.25";
  Cycle();  // 50 is now 100 %, and 90 minutes count down from 11:15
  EXPECT_TRUE(FrameIs("app-cycle-reset"));
  EXPECT_EQ(clock_.sleeps,
            std::vector<std::uint32_t>({10, 10, 100, 10, 10, 100, 10, 10, 100, 10, 10, 100}));
}

TEST_F(DisplayCycleTest, HeldButtonsStepTheCalculatorsSpeedOrAltitudeEveryCycle) {
  Click(2);             // the calculator in km/h, taking input
  Cycle(LCD_BUTTON_1);  // held: +5 in every following cycle
  Cycle(LCD_BUTTON_1);
  Cycle(LCD_BUTTON_0 | LCD_BUTTON_1);  // both: the steps cancel
  Cycle();
  Click(3);  // the held buttons now step the altitude
  Click(0);  // -10
  Click(3);  // and the speed again
  Click(0);  // -5
  Cycle();
  EXPECT_EQ(configuration_.speed, 305);
  EXPECT_EQ(configuration_.altitude, 990);
  EXPECT_TRUE(FrameIs("app-cycle-calculator-stepped"));
}

TEST_F(DisplayCycleTest, APageShowsAtItsClickAndItsValuesFromTheNextCycle) {
  Click(1);
  EXPECT_TRUE(FrameIs("app-cycle-status-first"));
  Cycle();
  Cycle();  // the status page's first block found the family unknown before
  name_ = "A6M2";
  Cycle();  // the old set still shows in the cycle the aircraft changes
  EXPECT_TRUE(FrameIs("app-cycle-status-overlap"));
  Cycle();
  EXPECT_TRUE(FrameIs("app-cycle-status-zero"));
}

TEST_F(DisplayCycleTest, IconItemsAreMadeInDrawingOrderWithTheF4uAndZeroSecondPairsFirst) {
  // Each icon loads as its item is made, at its indicator's own width.
  const std::size_t firstIndicator[kIconSets] = {0, 0, 1, 1, 0};
  for (std::size_t set = 0; set < kIconSets; ++set) {
    const IconSetLayout& layout = kIconSetLayouts[set];
    ASSERT_TRUE(icons_.at(set * kIconsPerSet)) << layout.folder;
    EXPECT_EQ(icons_[set * kIconsPerSet]->width, layout.indicators[firstIndicator[set]].width);
  }
}

TEST_F(DisplayCycleTest, AStopEndsTheCycleAfterTheRunningStep) {
  clock_.onSleep = [this](std::uint32_t) { stop_ = true; };  // in the fast exchange's wait
  socket_.answers = {"A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n", "unread"};
  cycle_.Run();  // returns instead of cycling forever
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 300);
  EXPECT_EQ(socket_.answers.size(), 1u);
}

}  // namespace
}  // namespace korvan
