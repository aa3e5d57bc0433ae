// Numbers as shown where the goldens do not reach: edges, limits, any float.

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

TEST(FlightValues, FormulasAndNumbersAtTheirEdges) {
  FlightSample named;
  std::snprintf(named.aircraftName, sizeof named.aircraftName, "\xE9tait-ABCDEFGH");
  ExpectTexts({{TruncatedText(BombSightAngleMain(300, 0)), "0"},        // no height: 0/0
               {TruncatedText(FuelPercent(60, 80.0f / 100.0f)), "74"},  // 74.99999...
               {TruncatedText(FuelPercent(60, 0)), "0"},                // before the first reset
               {TimeText(RemainingCountdown(10.0f, 0.5f, 10.25f)), "00:15"},
               {TruncatedText(1234567.0f), "123456"},  // six characters at most
               {TruncatedText(kInf), "0"},
               {TruncatedText(3e9f), "214748"},    // clamped to INT32_MAX
               {TruncatedText(-3e38f), "-21474"},  // clamped to INT32_MIN
               {Fixed2Text(-123.456f), "-123.4"},
               {Fixed2Text(kInf), "inf   "},
               {NameText(named), "\xE9tait-ABCDEFG"}});  // 13 characters, Latin-1
}

TEST(NumberText, TimeShowsUnitsAndSixtieths) {
  ExpectTexts({{TimeText(7.25f), "07:15"},
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
