#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app/FlightFormulas.h"
#include "app/NumberText.h"

namespace korvan {
namespace {

std::string Narrow(const DisplayText& text) {
  std::string narrow;
  for (const char16_t c : text.view()) narrow += static_cast<char>(c);
  return narrow;
}

TEST(UnitConversions, FloatConstantsGiveTheDisplayedNumbers) {
  EXPECT_EQ(Narrow(TruncatedText(300.0f * kKmhToKnots)), "162");
  // 1000 × 3.28f is 3279.99997, which rounds to the float 3280 first.
  EXPECT_EQ(Narrow(TruncatedText(1000.0f * kMetresToFeet)), "3280");
  EXPECT_EQ(Narrow(TruncatedText(300.0f * kKmhToMph)), "186");
}

TEST(FlightFormulas, TrueAirspeedAndBombSightOnBothPages) {
  const float tasMain = TrueAirspeedMain(300, 1000);
  EXPECT_NEAR(tasMain, 319.83f, 0.01f);
  EXPECT_EQ(Narrow(TruncatedText(tasMain)), "319");
  EXPECT_EQ(Narrow(TruncatedText(BombSightAngleMain(tasMain, 1000))), "51");

  const float tasCalc = TrueAirspeedCalculator(300, 1000);
  EXPECT_EQ(Narrow(TruncatedText(tasCalc)), "319");
  EXPECT_EQ(Narrow(TruncatedText(BombSightAngleCalculator(tasCalc, 1000))), "51");
  EXPECT_EQ(Narrow(TruncatedText(tasCalc * kKmhToKnots)), "172");

  // No height: zero over zero on the main page, a division by zero on the
  // calculator; both show 0. A negative speed gives a negative angle.
  EXPECT_EQ(Narrow(TruncatedText(BombSightAngleMain(tasMain, 0))), "0");
  EXPECT_EQ(Narrow(TruncatedText(BombSightAngleCalculator(tasCalc, 0))), "0");
  EXPECT_EQ(Narrow(TruncatedText(BombSightAngleCalculator(tasCalc, -50))), "0");
  EXPECT_LT(BombSightAngleCalculator(-300, 1000), 0);
  // Doubling a huge altitude must not overflow.
  EXPECT_TRUE(std::isfinite(BombSightAngleCalculator(300, std::numeric_limits<int>::max())));
}

TEST(FlightFormulas, FuelAgainstItsReferenceTruncatesTheInexactQuotient) {
  EXPECT_EQ(Narrow(TruncatedText(FuelPercent(60, 80.0f / 100.0f))), "74");
  EXPECT_EQ(Narrow(TruncatedText(FuelPercent(25, 50.0f / 100.0f))), "50");
  EXPECT_EQ(Narrow(TruncatedText(FuelPercent(60, 0))), "0");  // before the first reset
  EXPECT_EQ(Narrow(TruncatedText(FuelPercent(0, 0))), "0");
}

TEST(FlightFormulas, CountdownRunsDownToZeroAndStays) {
  EXPECT_EQ(Narrow(TimeText(RemainingCountdown(10.0f, 0.5f, 10.25f))), "00:15");
  EXPECT_EQ(Narrow(TimeText(RemainingCountdown(10.0f, 0.5f, 10.5f))), "00:00");
  EXPECT_EQ(Narrow(TimeText(RemainingCountdown(10.0f, 0.5f, 11.0f))), "00:00");
  EXPECT_EQ(Narrow(TimeText(RemainingCountdown(0.0f, 0.5f, 0.25f))), "00:15");
}

TEST(NumberText, TruncatedKeepsSixCharactersAndStaysReadableForAnyFloat) {
  EXPECT_EQ(Narrow(TruncatedText(1234567.0f)), "123456");
  EXPECT_EQ(Narrow(TruncatedText(-99.9f)), "-99");
  EXPECT_EQ(Narrow(TruncatedText(-0.5f)), "0");
  EXPECT_EQ(Narrow(TruncatedText(std::numeric_limits<float>::infinity())), "0");
  EXPECT_EQ(Narrow(TruncatedText(std::nanf(""))), "0");
  EXPECT_EQ(Narrow(TruncatedText(3e9f)), "214748");    // clamped to INT32_MAX
  EXPECT_EQ(Narrow(TruncatedText(-3e38f)), "-21474");  // clamped to INT32_MIN
  EXPECT_EQ(Narrow(IntegerText(-2147483647 - 1)), "-21474");
  EXPECT_EQ(Narrow(IntegerText(1000)), "1000");
}

TEST(NumberText, Fixed2IsLeftAlignedAndCut) {
  EXPECT_EQ(Narrow(Fixed2Text(-123.456f)), "-123.4");
  EXPECT_EQ(Narrow(Fixed2Text(5.0f)), "5.00  ");
  EXPECT_EQ(Narrow(Fixed2Text(12.345f)), "12.35 ");
  EXPECT_EQ(Narrow(Fixed2Text(3e38f)), "300000");
  EXPECT_EQ(Narrow(Fixed2Text(std::numeric_limits<float>::infinity())), "inf   ");
}

TEST(NumberText, TimeShowsUnitsAndSixtieths) {
  EXPECT_EQ(Narrow(TimeText(13.5f)), "13:30");
  EXPECT_EQ(Narrow(TimeText(7.25f)), "07:15");
  EXPECT_EQ(Narrow(TimeText(0.0f)), "00:00");
  EXPECT_EQ(Narrow(TimeText(123.25f)), "23:15");  // the last two digits of 123
  EXPECT_EQ(Narrow(TimeText(1.0f - 1e-7f)), "00:60");
  // The printed digits decide: sixtieths of 59.99995 print as 60, the float
  // just below (59.9999466) as 59.
  EXPECT_EQ(Narrow(TimeText(0.99999917f)), "00:60");
  EXPECT_EQ(Narrow(TimeText(0.99999911f)), "00:59");
  EXPECT_EQ(Narrow(TimeText(3e38f)), "00:00");  // huge but finite: cut, not overrun
  EXPECT_EQ(Narrow(TimeText(std::nanf(""))), "00:00");
  EXPECT_EQ(Narrow(TimeText(-std::numeric_limits<float>::infinity())), "00:00");
}

TEST(NumberText, NameShowsAtMost13Characters) {
  FlightSample sample;
  std::snprintf(sample.aircraftName, sizeof sample.aircraftName, "%s", "Yak-1");
  EXPECT_EQ(Narrow(NameText(sample)), "Yak-1");
  std::snprintf(sample.aircraftName, sizeof sample.aircraftName, "%s", "ABCDEFGHIJKLMNO");
  EXPECT_EQ(Narrow(NameText(sample)), "ABCDEFGHIJKLM");
  sample.aircraftName[0] = '\xE9';  // Latin-1 é
  EXPECT_EQ(NameText(sample).chars[0], u'\u00E9');
}

}  // namespace
}  // namespace korvan
