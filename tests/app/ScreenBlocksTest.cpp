// The page blocks and the button step against the real facade, whose LCD
// service is a scripted fake: buttons are "pressed" on the fake and read by
// the facade's update, as in the program.

#include <gtest/gtest.h>

#include <string>

#include "app/ButtonStep.h"
#include "app/PageBlocks.h"
#include "lcd/LcdTextItem.h"
#include "screens/ScreenBuilder.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

using testing::ScriptedService;

std::u16string TextOf(LcdItem* item) {
  return static_cast<LcdTextItem*>(item)->GetText();
}

class ScreenBlocksTest : public ::testing::Test {
 protected:
  ScreenBlocksTest() : table_(ScriptedService::Table()), service_(table_) {
    clock_.Advance(1000);
    configuration_.speed = 300;
    configuration_.altitude = 1000;
    configuration_.countdown = 30;
    state_ = InitialAppState(configuration_);
    BuildScreens(facade_, items_);
    BuildStatusPageTexts(facade_, items_);
    // Stand-ins for the icon items: visibility is all the rules touch.
    for (auto& set : items_.iconSets) {
      for (LcdItem*& icon : set) {
        icon = facade_.AddText(LcdItemKind::Text, LcdFontClass::Small, LcdTextAlignment::Left, 5);
        facade_.SetVisible(icon, false);
      }
    }
    ShowFirstFrame(facade_);
  }

  // One press and release of a button, each seen by its own update.
  void Click(int button) {
    Hold(1u << button);
    Release();
  }
  void Hold(std::uint32_t mask) {
    ScriptedService::buttons = mask;
    facade_.Update();
    ButtonStep(context_);
  }
  void Release() { Hold(0); }

  testing::FakeClock clock_;
  LcdServiceTable table_;
  LcdManagerService service_;
  LcdFacade facade_{clock_, service_};
  ScreenItems items_;
  Configuration configuration_;
  AppState state_;
  FlightSample sample_;
  AppContext context_{facade_, items_, state_, sample_, configuration_};
};

TEST_F(ScreenBlocksTest, MainPageConvertsUnitsAndCyclesThemWithButtonZero) {
  sample_.airspeedKmh = 300;
  sample_.altitudeM = 1000;
  sample_.climbRateMs = 5;
  MainPageBlock(context_);
  const auto& m = items_.main;
  EXPECT_EQ(TextOf(m[MainItem::kSpeedValue]), u"300");
  EXPECT_EQ(TextOf(m[MainItem::kSpeedUnit]), u"km/h");
  EXPECT_EQ(TextOf(m[MainItem::kFuelValue]), u"0");  // no reference yet
  EXPECT_TRUE(m[MainItem::kAircraftName]->IsVisible());

  Click(0);
  EXPECT_EQ(state_.unitMode, 1);
  MainPageBlock(context_);
  EXPECT_EQ(TextOf(m[MainItem::kSpeedValue]), u"162");
  EXPECT_EQ(TextOf(m[MainItem::kSpeedUnit]), u"kt");
  EXPECT_EQ(TextOf(m[MainItem::kClimbValue]), u"9");
  EXPECT_EQ(TextOf(m[MainItem::kClimbUnit]), u"ft/mn");
  EXPECT_EQ(TextOf(m[MainItem::kAltitudeValue]), u"3280");
  EXPECT_EQ(TextOf(m[MainItem::kAltitudeUnit]), u"ft");
  for (int i = 0; i < 3; ++i) Click(0);
  EXPECT_EQ(state_.unitMode, 0);
}

TEST_F(ScreenBlocksTest, AirspeedModeShowsTrueAirspeedAndTheSightAngle) {
  sample_.airspeedKmh = 300;
  sample_.altitudeM = 1000;
  sample_.fuel = 60;
  state_.fuelReference = 80.0f / 100.0f;
  state_.unitMode = 2;
  MainPageBlock(context_);
  const auto& m = items_.main;
  EXPECT_EQ(TextOf(m[MainItem::kFuelValue]), u"74");
  state_.unitMode = 3;
  sample_.fuel = 40;
  MainPageBlock(context_);
  EXPECT_EQ(TextOf(m[MainItem::kSpeedUnit]), u"IAS");
  EXPECT_EQ(TextOf(m[MainItem::kClimbValue]), u"319");
  EXPECT_EQ(TextOf(m[MainItem::kClimbUnit]), u"TAS");
  EXPECT_EQ(TextOf(m[MainItem::kSightValue]), u"51");
  EXPECT_TRUE(m[MainItem::kSightValue]->IsVisible());
  EXPECT_TRUE(m[MainItem::kSightLabel]->IsVisible());
  EXPECT_FALSE(m[MainItem::kAircraftName]->IsVisible());
  EXPECT_EQ(TextOf(m[MainItem::kFuelValue]), u"74");  // left as mode 2 had it
  sample_.altitudeM = 0;
  MainPageBlock(context_);
  EXPECT_EQ(TextOf(m[MainItem::kSightValue]), u"0");
}

TEST_F(ScreenBlocksTest, CalculatorTakesInputUntilItsLastUnitMode) {
  const auto& k = items_.calculator;
  Click(2);
  EXPECT_TRUE(state_.calculatorPageActive);
  EXPECT_TRUE(state_.calculatorInputActive);
  EXPECT_EQ(state_.unitMode, 1);
  EXPECT_FALSE(k[CalculatorItem::kAltitudeHint]->IsVisible());
  EXPECT_FALSE(k[CalculatorItem::kSpeedHint]->IsVisible());
  CalculatorBlock(context_);
  EXPECT_EQ(TextOf(k[CalculatorItem::kSpeedValue]), u"300");
  EXPECT_EQ(TextOf(k[CalculatorItem::kSpeedUnit]), u"Km/h");
  EXPECT_EQ(TextOf(k[CalculatorItem::kTasValue]), u"319");
  EXPECT_EQ(TextOf(k[CalculatorItem::kSightValue]), u"51");
  EXPECT_EQ(TextOf(k[CalculatorItem::kAltitudeValue]), u"1000");
  EXPECT_EQ(TextOf(k[CalculatorItem::kAltitudeUnit]), u"m");

  Hold(LCD_BUTTON_1);  // held: +5 per cycle
  Hold(LCD_BUTTON_1);
  Release();
  EXPECT_EQ(configuration_.speed, 310);
  Hold(LCD_BUTTON_0 | LCD_BUTTON_1);  // both: the steps cancel
  Release();
  EXPECT_EQ(configuration_.speed, 310);
  EXPECT_TRUE(state_.calculatorPageActive);  // releases of 0 and 1 change no page

  Click(3);
  EXPECT_TRUE(k[CalculatorItem::kAltitudeHint]->IsVisible());
  EXPECT_FALSE(state_.adjustSpeed);
  Hold(LCD_BUTTON_0);
  Release();
  EXPECT_EQ(configuration_.altitude, 990);
  Click(3);
  EXPECT_TRUE(k[CalculatorItem::kSpeedHint]->IsVisible());
  EXPECT_FALSE(k[CalculatorItem::kAltitudeHint]->IsVisible());

  configuration_.speed = 300;
  configuration_.altitude = 1000;
  Click(2);
  CalculatorBlock(context_);
  EXPECT_EQ(TextOf(k[CalculatorItem::kSpeedValue]), u"162");
  EXPECT_EQ(TextOf(k[CalculatorItem::kSpeedUnit]), u"KT");
  EXPECT_EQ(TextOf(k[CalculatorItem::kTasValue]), u"172");
  EXPECT_EQ(TextOf(k[CalculatorItem::kAltitudeValue]), u"3280");
  EXPECT_EQ(TextOf(k[CalculatorItem::kAltitudeUnit]), u"ft");

  Click(2);  // mode 3
  Click(2);  // past mode 3: idle, hints hidden, button 3 resets again
  EXPECT_EQ(state_.unitMode, 0);
  EXPECT_FALSE(state_.calculatorInputActive);
  EXPECT_FALSE(k[CalculatorItem::kSpeedHint]->IsVisible());
  Click(3);
  EXPECT_TRUE(state_.resetRequested);
  Click(1);
  EXPECT_TRUE(state_.statusPageActive);
  EXPECT_FALSE(state_.calculatorPageActive);
}

TEST_F(ScreenBlocksTest, ButtonTwoFromAirspeedModeEntersTheCalculatorIdle) {
  state_.unitMode = 3;
  Click(2);
  EXPECT_TRUE(state_.calculatorPageActive);
  EXPECT_FALSE(state_.calculatorInputActive);
  EXPECT_EQ(state_.unitMode, 0);
}

TEST_F(ScreenBlocksTest, StatusPageShowsTheFamilySetAfterAOneCycleOverlap) {
  Click(1);
  const auto& sets = items_.iconSets;
  std::snprintf(sample_.aircraftName, sizeof sample_.aircraftName, "%s", "Bf-109G-2");
  sample_.value174 = 1;  // me109's first pair: 1_1
  sample_.value82 = -0.6f;
  sample_.roll = -12.345f;
  StatusPageBlock(context_);
  StatusPageBlock(context_);  // the change from family 0 settles
  EXPECT_EQ(state_.family, AircraftFamily::kMe109);
  EXPECT_TRUE(sets[1][1]->IsVisible());  // me109 1_1
  EXPECT_TRUE(sets[1][5]->IsVisible());  // me109 3_1
  EXPECT_EQ(TextOf(items_.status[StatusItem::kRollValue]), u"-12.35");
  EXPECT_EQ(TextOf(items_.status[StatusItem::kAircraftName]), u"Bf-109G-2");

  std::snprintf(sample_.aircraftName, sizeof sample_.aircraftName, "%s", "Yak-9");
  StatusPageBlock(context_);
  EXPECT_EQ(state_.family, AircraftFamily::kYak1);
  EXPECT_TRUE(sets[1][1]->IsVisible());  // the old set stays for this cycle
  EXPECT_TRUE(sets[4][1]->IsVisible());
  StatusPageBlock(context_);
  EXPECT_FALSE(sets[1][1]->IsVisible());  // then only the new one
  EXPECT_TRUE(sets[4][1]->IsVisible());

  sample_.value82 = 0.5f;  // no known position: the group keeps its state
  StatusPageBlock(context_);
  EXPECT_TRUE(sets[4][5]->IsVisible());
}

enum class Screen { kMain, kStatus, kCalculatorInput, kCalculatorIdle };

struct Transition {
  Screen from;
  UnitMode mode;
  int button;
  Screen to;
  UnitMode modeAfter;
  bool resetRequested;
};

// Every release of every button in every state of the screens.
constexpr Transition kTransitions[] = {
    {Screen::kMain, 1, 0, Screen::kMain, 2, false},
    {Screen::kMain, 3, 0, Screen::kMain, 0, false},
    {Screen::kMain, 1, 1, Screen::kStatus, 1, false},
    {Screen::kMain, 1, 2, Screen::kCalculatorInput, 2, false},
    {Screen::kMain, 3, 2, Screen::kCalculatorIdle, 0, false},
    {Screen::kMain, 1, 3, Screen::kMain, 1, true},
    {Screen::kStatus, 2, 0, Screen::kMain, 3, false},
    {Screen::kStatus, 2, 1, Screen::kStatus, 2, false},
    {Screen::kStatus, 2, 2, Screen::kCalculatorInput, 3, false},
    {Screen::kStatus, 2, 3, Screen::kStatus, 2, true},
    {Screen::kCalculatorInput, 1, 0, Screen::kCalculatorInput, 1, false},
    {Screen::kCalculatorInput, 1, 1, Screen::kCalculatorInput, 1, false},
    {Screen::kCalculatorInput, 2, 2, Screen::kCalculatorInput, 3, false},
    {Screen::kCalculatorInput, 3, 2, Screen::kCalculatorIdle, 0, false},
    {Screen::kCalculatorInput, 1, 3, Screen::kCalculatorInput, 1, false},
    {Screen::kCalculatorIdle, 0, 0, Screen::kMain, 1, false},
    {Screen::kCalculatorIdle, 0, 1, Screen::kStatus, 0, false},
    {Screen::kCalculatorIdle, 0, 2, Screen::kCalculatorInput, 1, false},
    {Screen::kCalculatorIdle, 0, 3, Screen::kCalculatorIdle, 0, true},
};

Screen ScreenOf(const AppState& state) {
  if (state.mainPageActive) return Screen::kMain;
  if (state.statusPageActive) return Screen::kStatus;
  return state.calculatorInputActive ? Screen::kCalculatorInput : Screen::kCalculatorIdle;
}

TEST_F(ScreenBlocksTest, EveryButtonReleaseInEveryStateGoesWhereItShould) {
  for (const Transition& t : kTransitions) {
    state_.mainPageActive = t.from == Screen::kMain;
    state_.statusPageActive = t.from == Screen::kStatus;
    state_.calculatorPageActive = !state_.mainPageActive && !state_.statusPageActive;
    state_.calculatorInputActive = t.from == Screen::kCalculatorInput;
    state_.unitMode = t.mode;
    state_.resetRequested = false;
    state_.adjustSpeed = true;
    state_.adjustToggle = 0;
    Click(t.button);
    const std::string where = "from state " + std::to_string(static_cast<int>(t.from)) +
                              ", button " + std::to_string(t.button);
    EXPECT_EQ(ScreenOf(state_), t.to) << where;
    EXPECT_EQ(state_.unitMode, t.modeAfter) << where;
    EXPECT_EQ(state_.resetRequested, t.resetRequested) << where;
    // In calculator input, button 3 switches the held buttons to the altitude.
    EXPECT_EQ(state_.adjustSpeed, !(t.from == Screen::kCalculatorInput && t.button == 3)) << where;
  }
}

}  // namespace
}  // namespace korvan
