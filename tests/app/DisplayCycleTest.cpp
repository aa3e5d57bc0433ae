// The simulator link over loopback UDP; the display cycle on the real screens.
#include <gtest/gtest.h>

#include "app/SimulatorAnswers.h"
#include "lcd/LcdTextItem.h"
#include "platform/system/UdpSocket.h"
#include "tests/app/CycleRig.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/Stderr.h"

namespace korvan {
namespace {

using testing::ScriptedService;

std::string Fast(int speed, std::size_t size = 0) {
  const std::string answer = "A/30\\" + std::to_string(speed) + "/32\\1/40\\1/42\\1/50\\1\n";
  return answer + std::string(size > answer.size() ? size - answer.size() : 0, ' ');
}

std::string Slow(int clock) {
  return "A/20\\" + std::to_string(clock) +
         "/164\\0/172\\0/174\\0/214\\0/216\\0/82\\0/94\\0/96\\0/98\\0/22\\Yak-1\n";
}

// The simulator on 127.0.0.1, a forger on 127.0.0.2; everything queued by the
// end of an exchange's wait is read, answers by their prefix, in arrival order.
TEST(SimLink, TakesEveryQueuedAnswerToItsParserAndOnlyFromTheSimulator) {
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error), peer = UdpSocket::Create(error),
                           other = UdpSocket::Create(error), forger = UdpSocket::Create(error);
  ASSERT_TRUE(socket && peer && other && forger && socket->Bind({0x7F000001, 0}, error) &&
              peer->Bind({0x7F000001, 0}, error) && other->Bind({0x7F000001, 0}, error) &&
              forger->Bind({0x7F000002, 0}, error))
      << error;
  testing::FakeClock clock;
  SimLink link(*socket, clock, peer->LocalEndpoint());
  FlightSample sample;
  const auto exchange = [&](const SimExchange& next, std::vector<std::string> fromPeer,
                            std::vector<std::string> forged = {}, UdpSocket* from = nullptr) {
    for (const std::string& text : forged) forger->SendTo(socket->LocalEndpoint(), text);
    for (const std::string& text : fromPeer)
      (from ? from : &*peer)->SendTo(socket->LocalEndpoint(), text);
    if (!fromPeer.empty() || !forged.empty()) {
      EXPECT_TRUE(socket->WaitReadable(1000));
    }
    link.Exchange(next, sample);
    return std::to_string(static_cast<int>(sample.airspeedKmh)) + "/" +
           std::to_string(static_cast<int>(sample.clock));
  };
  // 1023 bytes fit with the terminator, 1024 not; the latest answer wins.
  EXPECT_EQ(exchange(kFastExchange, {Fast(42, 1023), Slow(7), "x", Fast(44), Fast(43, 1024)},
                     {Fast(99), Slow(99)}),
            "44/7");
  // A late fast answer read at the slow exchange, then its duplicate.
  EXPECT_EQ(exchange(kSlowExchange, {Fast(45)}), "45/7");
  EXPECT_EQ(exchange(kFastExchange, {Fast(45), Fast(46, 2000)}, {Fast(98)}), "45/7");
  // Oversized datagrams mid-queue: each answer behind them is read in its exchange.
  for (const int speed : {47, 48, 49})
    EXPECT_EQ(exchange(kFastExchange, {Fast(1, 1500), Fast(speed), Fast(2, 60000)}),
              std::to_string(speed) + "/7");
  std::vector<std::string> flood;
  for (int i = 0; i <= SimLink::kMaxDatagramsPerExchange; ++i) flood.push_back(Fast(100 + i));
  EXPECT_EQ(exchange(kSlowExchange, flood, {}, &*other), "163/7");  // another port of its host
  EXPECT_EQ(exchange(kFastExchange, {}), "164/7");
  char request[100];
  EXPECT_EQ(std::string_view(request, peer->Receive(request).size), kFastExchange.request);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(8, 10));
}

// Silence and its end are said once each; a forged answer is no answer, and
// each address answering in the simulator's place is said once, 8 at most.
TEST(SimLink, SaysOnceWhenTheSimulatorFallsSilentAnswersAgainOrAnswersFromElsewhere) {
  testing::QueuedSocket socket;
  testing::FakeClock clock(1000);
  SimLink link(socket, clock, Ipv4Endpoint{0x0A000001, 6060});
  FlightSample sample;
  std::string said;
  // Milliseconds waited, and who answered (0: no one).
  const std::pair<std::uint32_t, std::uint32_t> steps[] = {
      {4980, 0},       {0, 0},   {59940, 0x0A000002}, {0, 0x0A000002}, {0, 0x0A000001},
      {0, 0x0A000001}, {4980, 0}};
  for (const auto& [waitMs, from] : steps) {
    clock.Advance(waitMs);
    if (from != 0) socket.queue.emplace_back(from, Slow(1));
    said += testing::StderrOf([&] { link.Exchange(kSlowExchange, sample); }) + "|";
  }
  EXPECT_EQ(said,
            "|korvan: no answer from the simulator at 10.0.0.1:6060 for 5 s\n|"
            "korvan: answers from 10.0.0.2 are ignored: LCD_Korvan.ini names 10.0.0.1\n||"
            "korvan: the simulator at 10.0.0.1:6060 answers again after 64 s of silence\n|||");
  for (std::uint32_t i = 0; i < 20; ++i) socket.queue.emplace_back(0x0B000000 + i % 10, Fast(1));
  said = testing::StderrOf([&] { link.Exchange(kFastExchange, sample); });
  EXPECT_NE(said.find("from 11.0.0.6 "), std::string::npos) << said;  // 10.0.0.2 and seven more,
  EXPECT_EQ(said.find("from 11.0.0.7 "), std::string::npos) << said;  // and no more after them
}

class DisplayCycleTest : public ::testing::Test, protected testing::CycleRig {
 protected:
  DisplayCycleTest() : CycleRig(KORVAN_SOURCE_DIR "/assets") {}

  // One cycle with `buttons` down; a click acts in its third cycle, as the button
  // step sees what the previous frame step read. The values come from sample.
  void Cycle(std::uint32_t buttons = 0) {
    ScriptedService::buttons = buttons;
    EXPECT_TRUE(cycle.RunOnce());
  }
  void Click(int button) {
    for (const std::uint32_t buttons : {1u << button, 0u, 0u}) Cycle(buttons);
  }
  ::testing::AssertionResult FrameIs(const std::string& golden) const {
    const std::uint8_t* pixels = ScriptedService::lastFrame.data() + LCD_FRAME_HEADER_BYTES;
    return testing::MatchesGolden(golden, testing::FrameToArt(pixels, 160, 43, 160));
  }
};

TEST_F(DisplayCycleTest, EveryButtonReleaseInEveryStateGoesWhereItShould) {
  // Screen and unit mode, button released, screen and unit mode then, R for a reset asked.
  // Screens: M main, S status, and the calculator I taking input, D idle.
  for (const std::string row :
       {"M1 0 M2", "M3 0 M0", "M1 1 S1", "M1 2 I2", "M3 2 D0", "M1 3 M1R", "S2 0 M3", "S2 1 S2",
        "S2 2 I3", "S2 3 S2R", "I1 0 I1", "I1 1 I1", "I2 2 I3", "I3 2 D0", "I1 3 I1", "D0 0 M1",
        "D0 1 S0", "D0 2 I1", "D0 3 D0R"}) {
    state.mainPageActive = row[0] == 'M';
    state.statusPageActive = row[0] == 'S';
    state.calculatorPageActive = row[0] == 'I' || row[0] == 'D';
    state.calculatorInputActive = row[0] == 'I';
    state.unitMode = row[1] - '0';
    state.resetRequested = false;
    Click(row[3] - '0');
    const char screen = state.mainPageActive ? 'M' : state.statusPageActive ? 'S' : 'D';
    EXPECT_EQ(row.substr(0, 5) + (state.calculatorInputActive ? 'I' : screen) +
                  std::to_string(state.unitMode) + (state.resetRequested ? "R" : ""),
              row);
  }
}

TEST_F(DisplayCycleTest, AResetTakesTheValuesOfTheCycleAfterTheClick) {
  state.unitMode = 2;
  Click(3);
  sample.fuel = 64;
  sample.clock = 11.25f;
  Cycle();  // 64 is now 100 %, and 90 minutes count down from 11:15
  EXPECT_EQ(clock.sleeps,
            std::vector<std::uint32_t>({10, 10, 100, 10, 10, 100, 10, 10, 100, 10, 10, 100}));
  Click(0);  // the airspeeds, which keep the fuel shown before
  Cycle();
  EXPECT_TRUE(FrameIs("app-cycle-reset"));
}

TEST_F(DisplayCycleTest, HeldButtonsStepTheCalculatorsSpeedOrAltitudeEveryCycle) {
  Click(2);                                         // the calculator in km/h, taking input
  for (int i = 0; i < 2; ++i) Cycle(LCD_BUTTON_1);  // held: +5 in every following cycle
  Cycle(LCD_BUTTON_0 | LCD_BUTTON_1);               // both: the steps cancel
  Cycle();
  Click(3);  // the held buttons now step the altitude
  Click(0);  // -10
  Click(3);  // and the speed again
  Click(0);  // -5
  Cycle();
  EXPECT_TRUE(FrameIs("app-cycle-calculator-stepped"));
  Click(3);  // the altitude again, and its hint alone
  EXPECT_EQ(std::pair(items.calculator[CalculatorItem::kAltitudeHint]->IsVisible(),
                      items.calculator[CalculatorItem::kSpeedHint]->IsVisible()),
            std::pair(true, false));
  state.unitMode = 3;  // the last mode shows miles an hour
  Cycle();
  auto* unit = dynamic_cast<LcdTextItem*>(items.calculator[CalculatorItem::kSpeedUnit]);
  EXPECT_EQ(std::u16string(unit->GetText()), u"mph");
}

TEST_F(DisplayCycleTest, APageShowsAtItsClickAndItsValuesFromTheNextCycle) {
  Click(1);
  EXPECT_TRUE(FrameIs("app-cycle-status-first"));
  for (int i = 0; i < 2; ++i) Cycle();  // the status page's first block found the family unknown
  std::snprintf(sample.aircraftName, sizeof sample.aircraftName, "A6M2");
  Cycle();  // the old set still shows in the cycle the aircraft changes
  EXPECT_TRUE(FrameIs("app-cycle-status-overlap"));
  Cycle();
  EXPECT_TRUE(FrameIs("app-cycle-status-zero"));
}

TEST_F(DisplayCycleTest, IconItemsAreMadeInDrawingOrderWithTheF4uAndZeroSecondPairsFirst) {
  // Each icon loads as its item is made, at its indicator's own width.
  const std::size_t firstIndicator[kIconSets] = {0, 0, 1, 1, 0};
  for (std::size_t set = 0; set < kIconSets; ++set) {
    ASSERT_TRUE(icons.at(set * kIconsPerSet)) << kIconSetLayouts[set].folder;
    EXPECT_EQ(icons[set * kIconsPerSet]->width,
              kIconSetLayouts[set].indicators[firstIndicator[set]].width);
  }
}

}  // namespace
}  // namespace korvan
