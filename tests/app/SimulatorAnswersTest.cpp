// The parse rules of the two answers, in one place.

#include "app/SimulatorAnswers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace korvan {
namespace {

// How many fields the parse stored, and all it may store: every field
// starts at 7 and the name at "old", so a field left alone shows as that.
std::string Parsed(bool fast, const std::string& answer) {
  FlightSample s{7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, "old"};
  const int stored = (fast ? ParseFastAnswer : ParseSlowAnswer)(answer.c_str(), s);
  char text[200];
  if (fast) {
    std::snprintf(text, sizeof text, "%d: %g %g %g %g %g", stored, s.airspeedKmh, s.climbRateMs,
                  s.altitudeM, s.heading, s.fuel);
  } else {
    std::snprintf(text, sizeof text, "%d: %g %g %g %g %g %g %g %g %g %g %s", stored, s.clock,
                  s.value164, s.value172, s.value174, s.value214, s.value216, s.value82, s.roll,
                  s.pitch, s.head, s.aircraftName);
  }
  return text;
}

TEST(SimulatorAnswers, FieldsAreStoredInOrderUpToTheFirstMismatch) {
  const std::string slow =
      "A/20\\1/164\\1/172\\1/174\\1/214\\1/216\\1/82\\1/94\\1/96\\1/98\\1/22\\";
  const std::tuple<bool, std::string, const char*> rows[] = {
      {true, "A/30\\250.5/32\\-1.2/40\\1500/42\\270/50\\85.3\n", "5: 250.5 -1.2 1500 270 85.3"},
      // scanf's float rules: blanks skipped, exponents read, the line end optional.
      {true, "A/30\\ 2.5e2/32\\-1/40\\+3/42\\.5/50\\7.", "5: 250 -1 3 0.5 7"},
      {true, "A/30\\100/32\\x/40\\1/42\\2/50\\3\n", "1: 100 7 7 7 7"},
      {true, "", "0: 7 7 7 7 7"},
      {true, slow + "Yak", "0: 7 7 7 7 7"},  // the other exchange's answer
      {false,
       "A/20\\12.25/164\\1/172\\2/174\\3/214\\4/216\\5/82\\-0.6/94\\-10.5/96\\4.5/98\\181/"
       "22\\Bf-109G-6_with_extras\n",
       "11: 12.25 1 2 3 4 5 -0.6 -10.5 4.5 181 Bf-109G-6_with_"},
      // Parameter 82 missing: the fields after it keep theirs.
      {false, "A/20\\1.5/164\\1/172\\0/174\\1/214\\0/216\\1/94\\3", "6: 1.5 1 0 1 0 1 7 7 7 7 old"},
      {false, slow + "Yak-1 b\n", "11: 1 1 1 1 1 1 1 1 1 1 Yak-1"},  // the name ends at a blank
      {false, slow + std::string(500, 'N'), "11: 1 1 1 1 1 1 1 1 1 1 NNNNNNNNNNNNNNN"}};
  for (const auto& [fast, answer, fields] : rows) EXPECT_EQ(Parsed(fast, answer), fields) << answer;
}

}  // namespace
}  // namespace korvan
