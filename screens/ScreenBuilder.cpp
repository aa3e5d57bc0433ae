#include "screens/ScreenBuilder.h"

#include <span>

namespace korvan {
namespace {

using enum LcdTextAlignment;

struct TextItemLayout {
  int x;
  int y;
  int width;
  LcdTextAlignment alignment;
  const char16_t* text;  // null: keeps the facade's single blank
  bool visible;
};

// Tables in creation order, which is also drawing order.
constexpr TextItemLayout kMainPage[] = {
    {0, 0, 80, Left, u"Spd:", true},                   // SpeedLabel
    {21, 0, 16, Right, nullptr, true},                 // SpeedValue
    {39, 0, 34, Left, nullptr, true},                  // SpeedUnit
    {60, 0, 18, Right, nullptr, true},                 // ClimbValue
    {82, 0, 30, Left, nullptr, true},                  // ClimbUnit
    {0, 16, 15, Left, u"Alt:", true},                  // AltitudeLabel
    {23, 16, 30, Left, nullptr, true},                 // AltitudeValue
    {49, 16, 10, Left, nullptr, true},                 // AltitudeUnit
    {0, 32, 80, Left, u"Heading:", true},              // HeadingLabel
    {35, 32, 20, Right, nullptr, true},                // HeadingValue
    {55, 32, 80, Left, u"\u00B0", true},               // HeadingDegree
    {112, 0, 80, Left, u"Fuel:", true},                // FuelLabel
    {134, 0, 16, Right, nullptr, true},                // FuelValue
    {152, 0, 20, Left, u"%", true},                    // FuelPercent
    {70, 16, 140, Left, nullptr, false},               // AircraftName
    {80, 32, 40, Left, nullptr, true},                 // Clock
    {120, 32, 40, Left, nullptr, true},                // Countdown
    {65, 16, 60, Right, u"Angle Vis\u00E9e:", false},  // SightLabel
    {130, 16, 20, Left, nullptr, false},               // SightValue
    {140, 16, 10, Left, u"\u00B0", false},             // SightDegree
};

constexpr TextItemLayout kCalculatorPage[] = {
    {14, 34, 80, Left, u"-     alt     +", false},    // AltitudeHint
    {14, 34, 80, Left, u"-     spd    +", false},     // SpeedHint
    {0, 0, 80, Left, u"Spd:", true},                  // SpeedLabel
    {20, 0, 26, Right, nullptr, true},                // SpeedValue
    {48, 0, 34, Left, nullptr, true},                 // SpeedUnit
    {76, 0, 18, Right, nullptr, true},                // TasValue
    {96, 0, 30, Left, nullptr, true},                 // TasLabel
    {0, 12, 40, Left, u"Alt:", true},                 // AltitudeLabel
    {15, 12, 30, Right, nullptr, true},               // AltitudeValue
    {48, 12, 10, Left, nullptr, true},                // AltitudeUnit
    {80, 24, 40, Left, nullptr, true},                // Clock
    {120, 24, 40, Left, nullptr, true},               // Countdown
    {65, 12, 60, Right, u"Angle Vis\u00E9e:", true},  // SightLabel
    {127, 12, 40, Left, nullptr, true},               // SightValue
    {140, 12, 20, Left, u"\u00B0", true},             // SightDegree
    {0, 24, 26, Left, u"Head:", true},                // HeadLabel
    {30, 24, 20, Left, nullptr, true},                // HeadValue
};

constexpr TextItemLayout kStatusPage[] = {
    {1, 32, 50, Left, nullptr, true},      // AircraftName
    {55, 36, 30, Left, nullptr, true},     // Clock
    {85, 36, 40, Left, nullptr, true},     // Countdown
    {119, 12, 18, Left, u"Roll:", true},   // RollLabel
    {140, 12, 20, Left, nullptr, true},    // RollValue
    {114, 24, 24, Left, u"Pitch:", true},  // PitchLabel
    {140, 24, 20, Left, nullptr, true},    // PitchValue
    {113, 36, 26, Left, u"Head:", true},   // HeadLabel
    {140, 36, 20, Left, nullptr, true},    // HeadValue
};

static_assert(std::size(kMainPage) == static_cast<std::size_t>(MainItem::kCount));
static_assert(std::size(kCalculatorPage) == static_cast<std::size_t>(CalculatorItem::kCount));
static_assert(std::size(kStatusPage) == static_cast<std::size_t>(StatusItem::kCount));

template <std::size_t N>
void BuildTexts(LcdFacade& facade, std::span<const TextItemLayout> layouts,
                std::array<LcdItem*, N>& handles) {
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    const TextItemLayout& layout = layouts[i];
    LcdItem* item =
        facade.AddText(LcdItemKind::Text, LcdFontClass::Small, layout.alignment, layout.width);
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
