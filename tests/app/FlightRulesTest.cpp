// The app's pure rules: aircraft families and their icons, numbers as shown
// where the goldens do not reach, the simulator's answers, the address line.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "app/AircraftFamily.h"
#include "app/FlightFormulas.h"
#include "app/NumberText.h"
#include "app/SimulatorAnswers.h"
#include "platform/system/Ipv4Endpoint.h"

namespace korvan {
namespace {

using enum AircraftFamily;

TEST(AircraftFamily, RecognisedByCaseSensitivePrefixOnly) {
  // A family, its icon set, names of it.
  const std::tuple<AircraftFamily, std::size_t, std::vector<std::u16string_view>> rows[] = {
      {kSeafire, 0, {u"Seafire_III", u"Spitfire"}},
      {kMe109, 1, {u"Bf-109", u"FW190", u"Fw-190A", u"Ju-87"}},
      {kF4u, 2, {u"F4U-1", u"Corsair", u"F6F", u"P-51D"}},
      {kZero, 3, {u"A5M", u"A6M2", u"Ki-84"}},
      {kYak1, 4, {u"Yak-3", u"Il", u"La-5FN", u"Pe-2"}},
      {kUnknown, 0, {u"Sp", u"fw190", u"Ya", u"", u"Hurricane"}}};
  for (const auto& [family, set, names] : rows) {
    EXPECT_EQ(IconSetOf(family), set);
    for (const auto name : names) EXPECT_EQ(RecognizeFamily(name), family) << name.size();
  }
}

TEST(AircraftFamily, IndicatorRulesPerFamilyAndValue) {
  const float nan = std::nanf("");
  struct Case {
    AircraftFamily family;
    const char* icons;  // in slot order, grouped 1_x 2_x 3_x 4_x: 1 shown, 0 hidden, - as it was
    float v174 = 0, v214 = 0, v82 = -1, v164 = 0, v216 = 0;
  } const cases[] = {
      // clang-format off
      // Pair one follows 174, pair two 214 (for the f4u and zero sets the reverse); NaN is not 0.
      {kMe109, "01 10 1000 100", 1}, {kUnknown, "01 10 1000 100", 1},
      {kF4u, "10 01 1000 100", 1}, {kZero, "10 01 1000 100", 1},
      {kYak1, "10 01 1000 100", 0, nan},
      // The four-position group by the exact pattern of the four texts.
      {kSeafire, "10 10 1000 100", 0, 0, 0.0f}, {kSeafire, "10 10 1000 100", 0, 0, -0.0f},
      {kSeafire, "10 10 0100 100", 0, 0, -0.6f}, {kSeafire, "10 10 0010 100", 0, 0, -0.34f},
      {kSeafire, "10 10 0001 100", 0, 0, 1.0f}, {kSeafire, "10 10 ---- 100", 0, 0, 0.5f},
      {kSeafire, "10 10 ---- 100", 0, 0, std::nextafter(1.0f, 2.0f)},
      {kSeafire, "10 10 ---- 100", 0, 0, -0.6000001f}, {kSeafire, "10 10 ---- 100", 0, 0, nan},
      // The fourth group: unarmed, armed and closed, armed and open.
      {kYak1, "10 10 1000 100", 0, 0, -1, 0, 1}, {kYak1, "10 10 1000 010", 0, 0, -1, 1, 0},
      {kYak1, "10 10 1000 001", 0, 0, -1, 1, 1},
      // clang-format on
  };
  for (const Case& c : cases) {
    const FlightSample sample{.value164 = c.v164,
                              .value174 = c.v174,
                              .value214 = c.v214,
                              .value216 = c.v216,
                              .value82 = c.v82};
    std::string text;
    const IconVisibility icons = IndicatorVisibility(c.family, sample);
    for (std::size_t i = 0; i < icons.size(); ++i) {
      text += std::string(i == 2 || i == 4 || i == 8 ? " " : "") +
              (icons[i] ? (*icons[i] ? '1' : '0') : '-');
    }
    EXPECT_EQ(text, c.icons) << "row " << &c - cases;
  }
}

TEST(FlightValues, FormulasAndNumbersAtTheirEdges) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  FlightSample named;
  std::snprintf(named.aircraftName, sizeof named.aircraftName, "\xE9tait-ABCDEFGH");
  volatile float metres = 1000.0f;  // multiplied at run time, as the pages do
  // clang-format off
  const std::pair<DisplayText, const char*> rows[] = {
      {TruncatedText(BombSightAngleMain(300, 0)), "0"},        // no height: 0/0
      {TruncatedText(FuelPercent(60, 80.0f / 100.0f)), "74"},  // 74.99999...
      {TruncatedText(FuelPercent(60, 0)), "0"},                // before the first reset
      {TruncatedText(metres * kMetresToFeet), "3280"},  // the float product; x87 keeps 3279.99997
      {TimeText(RemainingCountdown(10.0f, 0.5f, 10.25f)), "00:15"}, {TruncatedText(kInf), "0"},
      {TruncatedText(1234567.0f), "123456"},  // six characters at most
      {TruncatedText(3e9f), "214748"},        // clamped to INT32_MAX
      {TruncatedText(-3e38f), "-21474"},      // clamped to INT32_MIN
      {Fixed2Text(-123.456f), "-123.4"}, {Fixed2Text(kInf), "inf   "},
      {NameText(named), "\xE9tait-ABCDEFG"},  // 13 characters, Latin-1
      // Units and sixtieths: the last two digits of 123; the printed
      // digits decide, so sixtieths of 59.99995 print as 60, the float
      // just below (59.9999466) as 59; huge but finite is cut, not overrun.
      {TimeText(7.25f), "07:15"}, {TimeText(123.25f), "23:15"}, {TimeText(1.0f - 1e-7f), "00:60"},
      {TimeText(0.99999917f), "00:60"}, {TimeText(0.99999911f), "00:59"},
      {TimeText(3e38f), "00:00"}, {TimeText(std::nanf("")), "00:00"}, {TimeText(-kInf), "00:00"}};
  // clang-format on
  for (const auto& row : rows) {
    const std::u16string_view text = row.first.view();
    EXPECT_EQ(std::string(text.begin(), text.end()), row.second) << "row " << &row - rows;
  }
}

// How many fields the parse stored, and all it may store, which start at 7 and "old".
std::string Parsed(bool fast, const std::string& answer) {
  FlightSample s{7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, "old"};
  const int stored = (fast ? ParseFastAnswer : ParseSlowAnswer)(answer.c_str(), s);
  char text[200];
  std::snprintf(text, sizeof text, "%d: %g %g %g %g %g", stored, s.airspeedKmh, s.climbRateMs,
                s.altitudeM, s.heading, s.fuel);
  if (fast) return text;
  std::snprintf(text, sizeof text, "%d: %g %g %g %g %g %g %g %g %g %g %s", stored, s.clock,
                s.value164, s.value172, s.value174, s.value214, s.value216, s.value82, s.roll,
                s.pitch, s.head, s.aircraftName);
  return text;
}

TEST(SimulatorAnswers, FieldsAreStoredInOrderUpToTheFirstMismatch) {
  const std::string slow =
      "A/20\\1/164\\1/172\\1/174\\1/214\\1/216\\1/82\\1/94\\1/96\\1/98\\1/22\\";
  const std::tuple<bool, std::string, const char*> rows[] = {
      {true, "A/30\\250.5/32\\-1.2/40\\1500/42\\270/50\\85.3\n", "5: 250.5 -1.2 1500 270 85.3"},
      // scanf's float rules: blanks skipped, exponents read, the line end optional.
      {true, "A/30\\ 2.5e2/32\\-1/40\\+3/42\\.5/50\\7.", "5: 250 -1 3 0.5 7"},
      {true, slow + "Yak", "0: 7 7 7 7 7"},  // the other exchange's answer
      {false,
       "A/20\\12.25/164\\1/172\\2/174\\3/214\\4/216\\5/82\\-0.6/94\\-10.5/96\\4.5/98\\181/"
       "22\\Bf-109G-6_with_extras\n",
       "11: 12.25 1 2 3 4 5 -0.6 -10.5 4.5 181 Bf-109G-6_with_"},
      {false, "A/20\\1.5/164\\1/172\\0/174\\1/214\\0/216\\1/94\\3", "6: 1.5 1 0 1 0 1 7 7 7 7 old"},
      {false, slow + "Yak-1 b\n", "11: 1 1 1 1 1 1 1 1 1 1 Yak-1"},  // the name ends at a blank
      {false, slow + std::string(500, 'N'), "11: 1 1 1 1 1 1 1 1 1 1 NNNNNNNNNNNNNNN"},
      {false, "A/30\\1", "0: 7 7 7 7 7 7 7 7 7 7 old"}};
  for (const auto& [fast, answer, fields] : rows) EXPECT_EQ(Parsed(fast, answer), fields) << answer;
}

TEST(Ipv4Address, AcceptsTheConfiguredLineEndButNotGarbage) {
  const std::pair<const char*, std::optional<std::uint32_t>> rows[] = {
      {"127.0.0.1\n", 0x7F000001u}, {"10.1.2.3", 0x0A010203u}, {"127.0.0.1x", {}}, {"\n", {}}};
  for (const auto& [text, address] : rows) EXPECT_EQ(ParseIpv4Address(text), address) << text;
}

}  // namespace
}  // namespace korvan
