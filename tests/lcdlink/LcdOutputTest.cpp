#include "lcdlink/LcdOutput.h"

#include <gtest/gtest.h>

#include "lcd/LcdStatus.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

using testing::ScriptedService;
using Calls = std::vector<std::string>;

// A page that records the buttons it is told about.
class RecordingPage final : public LcdPage {
 public:
  explicit RecordingPage(Clock& clock) : LcdPage(clock) {}
  void OnButtonDown(std::int32_t button) override {
    events.push_back("down " + std::to_string(button));
  }
  void OnButtonUp(std::int32_t button) override {
    events.push_back("up " + std::to_string(button));
  }
  std::vector<std::string> events;
};

class LcdOutputTest : public ::testing::Test {
 protected:
  LcdOutputTest() : table_(ScriptedService::Table()), service_(table_) {
    clock_.Advance(1000);
    page_.StartTimeout(0xFFFFFFFFu);
    output_.AddPage(&page_);
  }
  ~LcdOutputTest() override { output_.ReleaseShare(); }

  // One display cycle's worth of output work.
  void Cycle() {
    output_.Advance(clock_.TickCount());
    output_.Render();
  }

  void OpenWithPageShown() {
    ASSERT_EQ(output_.Initialize(), kStatusOk);
    output_.LockActivePage(&page_);
    Cycle();
    ASSERT_TRUE(output_.IsDeviceOpen());
    ScriptedService::Take();
  }

  testing::FakeClock clock_;
  LcdServiceTable table_;
  LcdManagerService service_;
  LcdOutput output_{clock_, service_};
  RecordingPage page_{clock_};
};

TEST_F(LcdOutputTest, ConnectsLazilyThenPushesEveryCycleAtPriority128) {
  ASSERT_EQ(output_.Initialize(), kStatusOk);
  EXPECT_EQ(ScriptedService::Take(), Calls{"Startup"});  // prepared, not connected
  output_.LockActivePage(&page_);
  Cycle();
  EXPECT_EQ(ScriptedService::Take(), (Calls{"Connect", "QueryDevice", "OpenDevice", "SetForeground",
                                            "PushFrame", "ReadButtons"}));
  Cycle();
  EXPECT_EQ(ScriptedService::Take(), (Calls{"PushFrame", "ReadButtons"}));
  EXPECT_EQ(ScriptedService::pushPriorities, (std::vector<std::int32_t>{128, 128}));
  ASSERT_EQ(ScriptedService::lastFrame.size(), static_cast<std::size_t>(LCD_FRAME_BYTES));
  EXPECT_EQ(ScriptedService::lastFrame[0], 1);  // the header word, little-endian
}

TEST_F(LcdOutputTest, NoDeviceYetKeepsTheConnectionAndQueriesEachCycle) {
  ASSERT_EQ(output_.Initialize(), kStatusOk);
  output_.LockActivePage(&page_);
  ScriptedService::queryResults = {kLcdNoMoreItems, kLcdNoMoreItems};
  ScriptedService::Take();
  Cycle();
  Cycle();
  EXPECT_EQ(ScriptedService::Take(), (Calls{"Connect", "QueryDevice", "QueryDevice"}));
  Cycle();
  EXPECT_EQ(ScriptedService::Take(),
            (Calls{"QueryDevice", "OpenDevice", "SetForeground", "PushFrame", "ReadButtons"}));
}

TEST_F(LcdOutputTest, DeviceGoneReopensOnTheSameConnectionAndReportsHeldButtonsAgain) {
  OpenWithPageShown();
  ScriptedService::buttons = LCD_BUTTON_1;
  Cycle();
  EXPECT_EQ(page_.events, Calls{"down 2"});
  ScriptedService::pushResults = {kLcdDeviceNotConnected};
  Cycle();
  EXPECT_EQ(ScriptedService::Take(),
            (Calls{"PushFrame", "ReadButtons", "PushFrame", "CloseDevice"}));
  Cycle();  // no new Connect; the held button counts as going down again
  EXPECT_EQ(ScriptedService::Take(),
            (Calls{"QueryDevice", "OpenDevice", "SetForeground", "PushFrame", "ReadButtons"}));
  EXPECT_EQ(page_.events, (Calls{"down 2", "down 2"}));
}

TEST_F(LcdOutputTest, OtherPushErrorsDropTheConnectionToo) {
  OpenWithPageShown();
  ScriptedService::pushResults = {5};
  Cycle();
  EXPECT_EQ(ScriptedService::Take(), (Calls{"PushFrame", "CloseDevice", "Disconnect"}));
  Cycle();
  EXPECT_EQ(ScriptedService::Take()[0], "Connect");
}

TEST_F(LcdOutputTest, ButtonChangesArriveInButtonOrder) {
  OpenWithPageShown();
  ScriptedService::buttons = LCD_BUTTON_0 | LCD_BUTTON_1 | LCD_BUTTON_3;
  Cycle();
  ScriptedService::buttons = LCD_BUTTON_2;
  Cycle();
  EXPECT_EQ(page_.events, (Calls{"down 1", "down 2", "down 8", "up 1", "up 2", "down 4", "up 8"}));
  // A failed read leaves the mask at 0: everything held goes up.
  ScriptedService::readResults = {kLcdDeviceNotConnected};
  Cycle();
  EXPECT_EQ(page_.events.back(), "up 4");
}

TEST_F(LcdOutputTest, PriorityZeroPushesNothingAndReadsNoButtons) {
  OpenWithPageShown();
  output_.SetPriority(0);
  EXPECT_EQ(ScriptedService::Take(), Calls{"PushFrame"});  // the blank frame, once
  EXPECT_EQ(ScriptedService::pushPriorities.back(), 0);
  Cycle();
  EXPECT_TRUE(ScriptedService::Take().empty());
}

TEST_F(LcdOutputTest, ExpiredPageIsDroppedEvenWhenLocked) {
  RecordingPage shortLived(clock_);
  shortLived.StartTimeout(50);
  OpenWithPageShown();
  output_.UnlockActivePage();
  output_.LockActivePage(&shortLived);
  clock_.Advance(100);
  Cycle();
  EXPECT_EQ(output_.activePage(), &page_);  // the first registered page still alive

  page_.StartTimeout(10);
  clock_.Advance(100);
  ScriptedService::Take();
  Cycle();  // nothing left: the blank frame once at priority 0, then nothing
  EXPECT_EQ(output_.activePage(), nullptr);
  EXPECT_EQ(ScriptedService::Take(), Calls{"PushFrame"});
  EXPECT_EQ(ScriptedService::pushPriorities.back(), 0);
  Cycle();
  EXPECT_TRUE(ScriptedService::Take().empty());
}

TEST_F(LcdOutputTest, SharesStartTheServiceOnceAndCleanItUpWithTheLast) {
  ASSERT_EQ(output_.Initialize(), kStatusOk);
  ASSERT_EQ(output_.Initialize(), kStatusOk);
  EXPECT_EQ(ScriptedService::Take(), Calls{"Startup"});
  EXPECT_EQ(service_.Shares(), 2);
  EXPECT_EQ(output_.ReleaseShare(), 1);
  EXPECT_EQ(ScriptedService::Take(), Calls{});
  EXPECT_EQ(output_.ReleaseShare(), kLcdOk);
  EXPECT_EQ(ScriptedService::Take(), Calls{"Cleanup"});
  // Giving back a share it does not hold never drives the count negative.
  output_.ReleaseShare();
  EXPECT_EQ(service_.Shares(), 0);
}

TEST_F(LcdOutputTest, FailedStartupTakesNoShare) {
  ScriptedService::startupResult = 31;
  EXPECT_EQ(output_.Initialize(), kStatusFail);
  EXPECT_EQ(service_.Shares(), 0);
  EXPECT_EQ(output_.SharesHeld(), 0);
}

}  // namespace
}  // namespace korvan
