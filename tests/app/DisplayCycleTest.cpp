// The simulator link over real UDP on loopback; the display cycle with the
// real screens and the scripted LCD service (tests/lcdlink).
#include "app/DisplayCycle.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/ScreenSteps.h"
#include "app/SimulatorAnswers.h"
#include "platform/system/UdpSocket.h"
#include "screens/IconSets.h"
#include "screens/ScreenBuilder.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

using testing::ScriptedService;

std::string Fast(int speed, std::size_t size = 0) {
  const std::string answer = "A/30\\" + std::to_string(speed) + "/32\\1/40\\1/42\\1/50\\1\n";
  return answer + std::string(size > answer.size() ? size - answer.size() : 0, ' ');
}

TEST(SimLink, TakesOneDatagramPerExchangeAfterItsWaitAndDropsOversizedOnesWhole) {
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error), peer = UdpSocket::Create(error);
  ASSERT_TRUE(socket && peer && socket->Bind({0x7F000001, 0}, error) &&
              peer->Bind({0x7F000001, 0}, error))
      << error;
  testing::FakeClock clock;
  SimLink link(*socket, clock, peer->LocalEndpoint());
  for (const std::string& answer :
       {Fast(42, 1023), Fast(43, 1024), Fast(44, 2000), Fast(45), Fast(46)}) {
    peer->SendTo(socket->LocalEndpoint(), answer);
  }
  ASSERT_TRUE(socket->WaitReadable(1000));
  // 1023 bytes fit with the terminator, 1024 and 2000 not; the next goes to the slow exchange.
  FlightSample sample;
  std::string speeds;
  for (const SimExchange* next : {&kFastExchange, &kFastExchange, &kFastExchange, &kSlowExchange,
                                  &kFastExchange, &kFastExchange}) {
    link.Exchange(*next, sample);
    speeds += std::to_string(static_cast<int>(sample.airspeedKmh)) + " ";
  }
  EXPECT_EQ(speeds, "42 42 42 42 46 46 ");
  char request[100];
  EXPECT_EQ(std::string_view(request, peer->Receive(request).size), kFastExchange.request);
  peer.reset();  // nothing listening: the exchange still costs its wait
  link.Exchange(kSlowExchange, sample);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(7, 10));
}

struct Silence final : DatagramSocket {
  bool SendTo(const Ipv4Endpoint&, std::span<const char>) override { return true; }
  ReceiveResult Receive(std::span<char>) override { return {}; }
};

class DisplayCycleTest : public ::testing::Test {
 protected:
  DisplayCycleTest() : table_(ScriptedService::Table()), service_(table_) {
    clock_.Advance(1000);
    state_ = InitialAppState(configuration_);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(KORVAN_SOURCE_DIR "/assets");  // the icons' images/
    BuildScreens(facade_, items_);
    BuildStatusPage(facade_, items_, icons_);
    std::filesystem::current_path(previous);
    ShowFirstFrame(facade_);
  }

  // One cycle with `buttons` down; a click acts in its third cycle, as the button
  // step sees what the previous frame step read. The values come from sample_.
  void Cycle(std::uint32_t buttons = 0) {
    ScriptedService::buttons = buttons;
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
  FlightSample sample_{300, 5.5f, 1000, 271.9f, 80,     10.5f, 1,      0,
                       1,   0,    0,    -0.6f,  -12.5f, 3.25f, 271.5f, "Bf-109G-2"};
  Silence socket_;
  SimLink link_{socket_, clock_, std::nullopt};
  ScreenSteps steps_{AppContext{facade_, items_, state_, sample_, configuration_}};
  std::atomic<bool> stop_{false};
  DisplayCycle cycle_{link_, clock_, configuration_, state_, sample_, steps_, stop_};
};

TEST_F(DisplayCycleTest, EveryButtonReleaseInEveryStateGoesWhereItShould) {
  // Screen and unit mode, button released, screen and unit mode then, R for a reset asked.
  // Screens: M main, S status, and the calculator I taking input, D idle.
  for (const std::string row :
       {"M1 0 M2", "M3 0 M0", "M1 1 S1", "M1 2 I2", "M3 2 D0", "M1 3 M1R", "S2 0 M3", "S2 1 S2",
        "S2 2 I3", "S2 3 S2R", "I1 0 I1", "I1 1 I1", "I2 2 I3", "I3 2 D0", "I1 3 I1", "D0 0 M1",
        "D0 1 S0", "D0 2 I1", "D0 3 D0R"}) {
    state_.mainPageActive = row[0] == 'M';
    state_.statusPageActive = row[0] == 'S';
    state_.calculatorPageActive = row[0] == 'I' || row[0] == 'D';
    state_.calculatorInputActive = row[0] == 'I';
    state_.unitMode = row[1] - '0';
    state_.resetRequested = false;
    Click(row[3] - '0');
    const char screen = state_.mainPageActive ? 'M' : state_.statusPageActive ? 'S' : 'D';
    EXPECT_EQ(row.substr(0, 5) + (state_.calculatorInputActive ? 'I' : screen) +
                  std::to_string(state_.unitMode) + (state_.resetRequested ? "R" : ""),
              row);
  }
}

TEST_F(DisplayCycleTest, AResetTakesTheValuesOfTheCycleAfterTheClick) {
  state_.unitMode = 2;
  Click(3);
  sample_.fuel = 64;
  sample_.clock = 11.25f;
  Cycle();  // 64 is now 100 %, and 90 minutes count down from 11:15
  EXPECT_EQ(clock_.sleeps,
            std::vector<std::uint32_t>({10, 10, 100, 10, 10, 100, 10, 10, 100, 10, 10, 100}));
  Click(0);  // the airspeeds, which keep the fuel shown before
  Cycle();
  EXPECT_TRUE(FrameIs("app-cycle-reset"));
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
  EXPECT_TRUE(FrameIs("app-cycle-calculator-stepped"));
}

TEST_F(DisplayCycleTest, APageShowsAtItsClickAndItsValuesFromTheNextCycle) {
  Click(1);
  EXPECT_TRUE(FrameIs("app-cycle-status-first"));
  Cycle();
  Cycle();  // the status page's first block found the family unknown before
  std::snprintf(sample_.aircraftName, sizeof sample_.aircraftName, "A6M2");
  Cycle();  // the old set still shows in the cycle the aircraft changes
  EXPECT_TRUE(FrameIs("app-cycle-status-overlap"));
  Cycle();
  EXPECT_TRUE(FrameIs("app-cycle-status-zero"));
}

TEST_F(DisplayCycleTest, IconItemsAreMadeInDrawingOrderWithTheF4uAndZeroSecondPairsFirst) {
  // Each icon loads as its item is made, at its indicator's own width.
  const std::size_t firstIndicator[kIconSets] = {0, 0, 1, 1, 0};
  for (std::size_t set = 0; set < kIconSets; ++set) {
    ASSERT_TRUE(icons_.at(set * kIconsPerSet)) << kIconSetLayouts[set].folder;
    EXPECT_EQ(icons_[set * kIconsPerSet]->width,
              kIconSetLayouts[set].indicators[firstIndicator[set]].width);
  }
}

}  // namespace
}  // namespace korvan
