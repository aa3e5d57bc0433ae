#include "app/PageBlocks.h"

#include "app/AircraftFamily.h"
#include "app/FlightFormulas.h"
#include "app/NumberText.h"

namespace korvan {
namespace {

struct MainUnits {
  float speedFactor;
  const char16_t* speedUnit;
  float climbFactor;
  const char16_t* climbUnit;
  float altitudeFactor;
  const char16_t* altitudeUnit;
};

// Unit modes 0 to 2 of the main page; mode 3 shows airspeeds instead.
constexpr MainUnits kMainUnits[] = {
    {1.0f, u"km/h", 1.0f, u"m/s", 1.0f, u"m"},
    {kKmhToKnots, u"kt", kMsToFeetPerMinute, u"ft/mn", kMetresToFeet, u"ft"},
    {kKmhToMph, u"mph", kMsToFeetPerMinute, u"ft/min", kMetresToFeet, u"ft"},
};

constexpr UnitMode kAirspeedsMode = 3;

void Set(AppContext& c, LcdItem* item, const DisplayText& text) {
  c.facade.SetText(item, text.c_str());
}
void Set(AppContext& c, LcdItem* item, const char16_t* text) {
  c.facade.SetText(item, text);
}
void Show(AppContext& c, LcdItem* item, bool visible) {
  c.facade.SetVisible(item, visible);
}

float Remaining(const AppContext& c) {
  return RemainingCountdown(c.state.countdownStart, c.state.countdownLength, c.sample.clock);
}

void MainConvertedValues(AppContext& c, const MainUnits& units) {
  const auto& m = c.items.main;
  const FlightSample& s = c.sample;
  Show(c, m[MainItem::kSightValue], false);
  Show(c, m[MainItem::kSightLabel], false);
  Show(c, m[MainItem::kSightDegree], false);
  Set(c, m[MainItem::kSpeedValue], TruncatedText(s.airspeedKmh * units.speedFactor));
  Set(c, m[MainItem::kSpeedUnit], units.speedUnit);
  Set(c, m[MainItem::kClimbValue], TruncatedText(s.climbRateMs * units.climbFactor));
  Set(c, m[MainItem::kClimbUnit], units.climbUnit);
  Set(c, m[MainItem::kAltitudeValue], TruncatedText(s.altitudeM * units.altitudeFactor));
  Set(c, m[MainItem::kAltitudeUnit], units.altitudeUnit);
  Set(c, m[MainItem::kFuelValue], TruncatedText(FuelPercent(s.fuel, c.state.fuelReference)));
  Set(c, m[MainItem::kAircraftName], NameText(s));
  Show(c, m[MainItem::kAircraftName], true);
}

void MainAirspeeds(AppContext& c) {
  const auto& m = c.items.main;
  const FlightSample& s = c.sample;
  Show(c, m[MainItem::kSightValue], false);
  Show(c, m[MainItem::kAircraftName], false);
  Show(c, m[MainItem::kSightDegree], true);
  Set(c, m[MainItem::kSpeedValue], TruncatedText(s.airspeedKmh));
  Set(c, m[MainItem::kSpeedUnit], u"IAS");
  const float tas = TrueAirspeedMain(s.airspeedKmh, s.altitudeM);
  Set(c, m[MainItem::kClimbValue], TruncatedText(tas));
  Set(c, m[MainItem::kClimbUnit], u"TAS");
  const float angle = BombSightAngleMain(tas, s.altitudeM);
  Show(c, m[MainItem::kSightLabel], true);
  Set(c, m[MainItem::kSightValue], TruncatedText(angle));
  Show(c, m[MainItem::kSightValue], true);
  Set(c, m[MainItem::kAltitudeValue], TruncatedText(s.altitudeM));
  Set(c, m[MainItem::kAltitudeUnit], u"m");
}

void HideAllFamilyIcons(AppContext& c) {
  for (const IconSetHandles& set : c.items.iconSets) {
    for (LcdItem* icon : set) Show(c, icon, false);
  }
}

void FamilyIndicators(AppContext& c, const DisplayText& nameWide) {
  AppState& state = c.state;
  if (state.previousFamily != state.family) HideAllFamilyIcons(c);
  state.previousFamily = state.family;
  state.family = RecognizeFamily(nameWide.view());
  const IconSetHandles& set = c.items.iconSets[IconSetOf(state.family)];
  const IconVisibility visibility = IndicatorVisibility(state.family, c.sample);
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (visibility[i]) Show(c, set[i], *visibility[i]);
  }
}

struct CalculatorUnits {
  float speedFactor;
  const char16_t* speedUnit;
  bool altitudeInFeet;
};

// Unit modes 1 to 3 of the calculator; mode 0 updates no value.
constexpr CalculatorUnits kCalculatorUnits[] = {
    {1.0f, u"Km/h", false},
    {kKmhToKnots, u"KT", true},
    {kKmhToMph, u"mph", true},
};

void CalculatorValues(AppContext& c, const CalculatorUnits& units) {
  const auto& k = c.items.calculator;
  const float speed = static_cast<float>(c.configuration.speed);
  const float altitude = static_cast<float>(c.configuration.altitude);
  Set(c, k[CalculatorItem::kSpeedValue], TruncatedText(speed * units.speedFactor));
  Set(c, k[CalculatorItem::kSpeedUnit], units.speedUnit);
  const float tas = TrueAirspeedCalculator(speed, altitude);
  Set(c, k[CalculatorItem::kTasValue], TruncatedText(tas * units.speedFactor));
  Set(c, k[CalculatorItem::kTasLabel], u"TAS");
  const float angle = BombSightAngleCalculator(tas, c.configuration.altitude);
  Set(c, k[CalculatorItem::kSightValue], TruncatedText(angle));
  if (units.altitudeInFeet) {
    Set(c, k[CalculatorItem::kAltitudeValue], TruncatedText(altitude * kMetresToFeet));
    Set(c, k[CalculatorItem::kAltitudeUnit], u"ft");
  } else {
    Set(c, k[CalculatorItem::kAltitudeValue], IntegerText(c.configuration.altitude));
    Set(c, k[CalculatorItem::kAltitudeUnit], u"m");
  }
}

}  // namespace

void MainPageBlock(AppContext& c) {
  const UnitMode mode = c.state.unitMode;
  if (mode == kAirspeedsMode) {
    MainAirspeeds(c);
  } else if (mode >= 0 && mode < kAirspeedsMode) {
    MainConvertedValues(c, kMainUnits[mode]);
  }
  const auto& m = c.items.main;
  Set(c, m[MainItem::kHeadingValue], TruncatedText(c.sample.heading));
  Set(c, m[MainItem::kClock], TimeText(c.sample.clock));
  Set(c, m[MainItem::kCountdown], TimeText(Remaining(c)));
}

void StatusPageBlock(AppContext& c) {
  const auto& s = c.items.status;
  Set(c, s[StatusItem::kRollValue], Fixed2Text(c.sample.roll));
  Set(c, s[StatusItem::kPitchValue], Fixed2Text(c.sample.pitch));
  Set(c, s[StatusItem::kHeadValue], Fixed2Text(c.sample.head));
  Set(c, s[StatusItem::kClock], TimeText(c.sample.clock));
  Set(c, s[StatusItem::kCountdown], TimeText(Remaining(c)));
  const DisplayText nameWide = NameText(c.sample);
  Set(c, s[StatusItem::kAircraftName], nameWide);
  FamilyIndicators(c, nameWide);
}

void CalculatorBlock(AppContext& c) {
  const UnitMode mode = c.state.unitMode;
  if (mode >= 1 && mode <= 3) CalculatorValues(c, kCalculatorUnits[mode - 1]);
  const auto& k = c.items.calculator;
  Set(c, k[CalculatorItem::kClock], TimeText(c.sample.clock));
  Set(c, k[CalculatorItem::kCountdown], TimeText(Remaining(c)));
  Set(c, k[CalculatorItem::kHeadValue], Fixed2Text(c.sample.head));
}

}  // namespace korvan
