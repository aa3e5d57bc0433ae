// Numbers as the pages show them where the goldens do not reach: edges,
// limits and any float at all.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app/FlightFormulas.h"
#include "app/NumberText.h"

namespace korvan {
namespace {

void ExpectTexts(std::initializer_list<std::pair<DisplayText, const char*>> rows) {
  int row = 0;
  for (const auto& [text, expected] : rows) {
    std::string narrow;
    for (const char16_t c : text.view()) narrow += static_cast<char>(c);
    EXPECT_EQ(narrow, expected) << "row " << row++;
  }
}

constexpr float kInf = std::numeric_limits<float>::infinity();

DisplayText Name(const char* name) {
  FlightSample sample;
  std::snprintf(sample.aircraftName, sizeof sample.aircraftName, "%s", name);
  return NameText(sample);
}

TEST(FlightValues, FormulasAndNumbersAtTheirEdges) {
  ExpectTexts(
      {{TruncatedText(BombSightAngleMain(300, 0)), "0"},  // no height: 0/0
       {TruncatedText(BombSightAngleCalculator(300, 0)), "0"},
       {TruncatedText(BombSightAngleCalculator(-300, 1000)), "-49"},
       {Fixed2Text(BombSightAngleCalculator(300, std::numeric_limits<int>::max())), "0.05  "},
       {TruncatedText(FuelPercent(60, 80.0f / 100.0f)), "74"},  // 74.99999...
       {TruncatedText(FuelPercent(60, 0)), "0"},                // before the first reset
       {TimeText(RemainingCountdown(10.0f, 0.5f, 10.25f)), "00:15"},
       {TruncatedText(1234567.0f), "123456"},  // six characters at most
       {TruncatedText(kInf), "0"},
       {TruncatedText(std::nanf("")), "0"},
       {TruncatedText(3e9f), "214748"},    // clamped to INT32_MAX
       {TruncatedText(-3e38f), "-21474"},  // clamped to INT32_MIN
       {IntegerText(-2147483647 - 1), "-21474"},
       {Fixed2Text(-123.456f), "-123.4"},
       {Fixed2Text(12.345f), "12.35 "},
       {Fixed2Text(kInf), "inf   "},
       {Name("ABCDEFGHIJKLMNO"), "ABCDEFGHIJKLM"},
       {Name("\xE9t\xE9"), "\xE9t\xE9"}});  // Latin-1
}

TEST(NumberText, TimeShowsUnitsAndSixtieths) {
  ExpectTexts({{TimeText(13.5f), "13:30"},
               {TimeText(7.25f), "07:15"},
               {TimeText(123.25f), "23:15"},  // the last two digits of 123
               {TimeText(1.0f - 1e-7f), "00:60"},
               // The printed digits decide: sixtieths of 59.99995 print as 60, the
               // float just below (59.9999466) as 59.
               {TimeText(0.99999917f), "00:60"},
               {TimeText(0.99999911f), "00:59"},
               {TimeText(3e38f), "00:00"},  // huge but finite: cut, not overrun
               {TimeText(std::nanf("")), "00:00"},
               {TimeText(-kInf), "00:00"}});
}

}  // namespace
}  // namespace korvan
