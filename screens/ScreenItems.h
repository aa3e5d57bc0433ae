#pragma once

#include <array>
#include <cstddef>

#include "screens/IconLayout.h"

namespace korvan {

class LcdItem;

// The pages in the order the facade creates them.
enum class ScreenPage : int { kMain = 0, kStatus = 1, kCalculator = 2, kSpare = 3 };

// Every text item of each page, in creation (and drawing) order.
enum class MainItem : std::size_t {
  kSpeedLabel,
  kSpeedValue,
  kSpeedUnit,
  kClimbValue,
  kClimbUnit,
  kAltitudeLabel,
  kAltitudeValue,
  kAltitudeUnit,
  kHeadingLabel,
  kHeadingValue,
  kHeadingDegree,
  kFuelLabel,
  kFuelValue,
  kFuelPercent,
  kAircraftName,
  kClock,
  kCountdown,
  kSightLabel,
  kSightValue,
  kSightDegree,
  kCount
};

enum class CalculatorItem : std::size_t {
  kAltitudeHint,
  kSpeedHint,
  kSpeedLabel,
  kSpeedValue,
  kSpeedUnit,
  kTasValue,
  kTasLabel,
  kAltitudeLabel,
  kAltitudeValue,
  kAltitudeUnit,
  kClock,
  kCountdown,
  kSightLabel,
  kSightValue,
  kSightDegree,
  kHeadLabel,
  kHeadValue,
  kCount
};

enum class StatusItem : std::size_t {
  kAircraftName,
  kClock,
  kCountdown,
  kRollLabel,
  kRollValue,
  kPitchLabel,
  kPitchValue,
  kHeadLabel,
  kHeadValue,
  kCount
};

// Item handles by page; the facade's pages own the items.
template <typename Name>
struct ItemHandles {
  std::array<LcdItem*, static_cast<std::size_t>(Name::kCount)> items{};
  LcdItem* operator[](Name name) const { return items[static_cast<std::size_t>(name)]; }
  LcdItem*& operator[](Name name) { return items[static_cast<std::size_t>(name)]; }
};

// The icon items of one set in slot order (see IconLayout.h), whatever
// order they were created in.
using IconSetHandles = std::array<LcdItem*, kIconsPerSet>;

struct ScreenItems {
  ItemHandles<MainItem> main;
  ItemHandles<StatusItem> status;
  ItemHandles<CalculatorItem> calculator;
  std::array<IconSetHandles, kIconSets> iconSets{};
};

}  // namespace korvan
