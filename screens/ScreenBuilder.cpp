#include "screens/ScreenBuilder.h"

#include <span>

namespace korvan {
namespace {

constexpr std::int32_t kTextKind = 1;
constexpr std::int32_t kSmallFont = 0;
constexpr std::int32_t kLeft = 0;
constexpr std::int32_t kRight = 2;

struct TextItemLayout {
  int x;
  int y;
  int width;
  std::int32_t alignment;
  const char16_t* text;  // null: keeps the facade's single blank
  bool visible;
};

// Tables in creation order, which is also drawing order.
constexpr TextItemLayout kMainPage[] = {
    {0, 0, 80, kLeft, u"Spd:", true},                   // SpeedLabel
    {21, 0, 16, kRight, nullptr, true},                 // SpeedValue
    {39, 0, 34, kLeft, nullptr, true},                  // SpeedUnit
    {60, 0, 18, kRight, nullptr, true},                 // ClimbValue
    {82, 0, 30, kLeft, nullptr, true},                  // ClimbUnit
    {0, 16, 15, kLeft, u"Alt:", true},                  // AltitudeLabel
    {23, 16, 30, kLeft, nullptr, true},                 // AltitudeValue
    {49, 16, 10, kLeft, nullptr, true},                 // AltitudeUnit
    {0, 32, 80, kLeft, u"Heading:", true},              // HeadingLabel
    {35, 32, 20, kRight, nullptr, true},                // HeadingValue
    {55, 32, 80, kLeft, u"\u00B0", true},               // HeadingDegree
    {112, 0, 80, kLeft, u"Fuel:", true},                // FuelLabel
    {134, 0, 16, kRight, nullptr, true},                // FuelValue
    {152, 0, 20, kLeft, u"%", true},                    // FuelPercent
    {70, 16, 140, kLeft, nullptr, false},               // AircraftName
    {80, 32, 40, kLeft, nullptr, true},                 // Clock
    {120, 32, 40, kLeft, nullptr, true},                // Countdown
    {65, 16, 60, kRight, u"Angle Vis\u00E9e:", false},  // SightLabel
    {130, 16, 20, kLeft, nullptr, false},               // SightValue
    {140, 16, 10, kLeft, u"\u00B0", false},             // SightDegree
};

constexpr TextItemLayout kCalculatorPage[] = {
    {14, 34, 80, kLeft, u"-     alt     +", false},    // AltitudeHint
    {14, 34, 80, kLeft, u"-     spd    +", false},     // SpeedHint
    {0, 0, 80, kLeft, u"Spd:", true},                  // SpeedLabel
    {20, 0, 26, kRight, nullptr, true},                // SpeedValue
    {48, 0, 34, kLeft, nullptr, true},                 // SpeedUnit
    {76, 0, 18, kRight, nullptr, true},                // TasValue
    {96, 0, 30, kLeft, nullptr, true},                 // TasLabel
    {0, 12, 40, kLeft, u"Alt:", true},                 // AltitudeLabel
    {15, 12, 30, kRight, nullptr, true},               // AltitudeValue
    {48, 12, 10, kLeft, nullptr, true},                // AltitudeUnit
    {80, 24, 40, kLeft, nullptr, true},                // Clock
    {120, 24, 40, kLeft, nullptr, true},               // Countdown
    {65, 12, 60, kRight, u"Angle Vis\u00E9e:", true},  // SightLabel
    {127, 12, 40, kLeft, nullptr, true},               // SightValue
    {140, 12, 20, kLeft, u"\u00B0", true},             // SightDegree
    {0, 24, 26, kLeft, u"Head:", true},                // HeadLabel
    {30, 24, 20, kLeft, nullptr, true},                // HeadValue
};

constexpr TextItemLayout kStatusPage[] = {
    {1, 32, 50, kLeft, nullptr, true},      // AircraftName
    {55, 36, 30, kLeft, nullptr, true},     // Clock
    {85, 36, 40, kLeft, nullptr, true},     // Countdown
    {119, 12, 18, kLeft, u"Roll:", true},   // RollLabel
    {140, 12, 20, kLeft, nullptr, true},    // RollValue
    {114, 24, 24, kLeft, u"Pitch:", true},  // PitchLabel
    {140, 24, 20, kLeft, nullptr, true},    // PitchValue
    {113, 36, 26, kLeft, u"Head:", true},   // HeadLabel
    {140, 36, 20, kLeft, nullptr, true},    // HeadValue
};

static_assert(std::size(kMainPage) == static_cast<std::size_t>(MainItem::kCount));
static_assert(std::size(kCalculatorPage) == static_cast<std::size_t>(CalculatorItem::kCount));
static_assert(std::size(kStatusPage) == static_cast<std::size_t>(StatusItem::kCount));

template <std::size_t N>
void BuildTexts(LcdFacade& facade, std::span<const TextItemLayout> layouts,
                std::array<LcdItem*, N>& handles) {
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    const TextItemLayout& layout = layouts[i];
    LcdItem* item = facade.AddText(kTextKind, kSmallFont, layout.alignment, layout.width);
    facade.SetPosition(item, layout.x, layout.y);
    if (layout.text != nullptr) facade.SetText(item, layout.text);
    if (!layout.visible) facade.SetVisible(item, false);
    handles[i] = item;
  }
}

}  // namespace

void BuildScreens(LcdFacade& facade, ScreenItems& items) {
  facade.Initialize(kApplicationName, 0, 0, nullptr, 160, 43);
  facade.AddPage();
  facade.EditPage(static_cast<int>(ScreenPage::kMain));
  BuildTexts(facade, kMainPage, items.main.items);
  facade.AddPage();
  facade.EditPage(static_cast<int>(ScreenPage::kCalculator));
  BuildTexts(facade, kCalculatorPage, items.calculator.items);
}

void BuildStatusPageTexts(LcdFacade& facade, ScreenItems& items) {
  facade.AddPage();
  facade.EditPage(static_cast<int>(ScreenPage::kStatus));
  BuildTexts(facade, kStatusPage, items.status.items);
}

void ShowFirstFrame(LcdFacade& facade) {
  facade.EditPage(static_cast<int>(ScreenPage::kMain));
  facade.Update();
}

}  // namespace korvan
