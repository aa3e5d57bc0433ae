#include "app/SimulatorAnswers.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

TEST(SimulatorAnswers, SlowAnswerStopsAtTheFirstMismatchKeepingLaterFields) {
  FlightSample sample;
  sample.value82 = 5;
  sample.head = 6;
  // Parameter 82 is missing: clock to 216 are stored, the rest keep theirs.
  EXPECT_EQ(ParseSlowAnswer("A/20\\1.5/164\\1/172\\0/174\\1/214\\0/216\\1/94\\3", sample), 6);
  EXPECT_FLOAT_EQ(sample.clock, 1.5f);
  EXPECT_FLOAT_EQ(sample.value216, 1);
  EXPECT_FLOAT_EQ(sample.value82, 5);
  EXPECT_FLOAT_EQ(sample.head, 6);
}

TEST(SimulatorAnswers, ValuesFollowScanfFloatRules) {
  FlightSample sample;
  // Leading blanks skipped, exponents read, the trailing line end optional.
  EXPECT_EQ(ParseFastAnswer("A/30\\ 2.5e2/32\\-1/40\\+3/42\\.5/50\\7.", sample), 5);
  EXPECT_FLOAT_EQ(sample.airspeedKmh, 250);
  EXPECT_FLOAT_EQ(sample.climbRateMs, -1);
  EXPECT_FLOAT_EQ(sample.altitudeM, 3);
  EXPECT_FLOAT_EQ(sample.heading, 0.5f);
  EXPECT_FLOAT_EQ(sample.fuel, 7);
  EXPECT_EQ(ParseFastAnswer("", sample), 0);
  EXPECT_EQ(ParseFastAnswer("B/30\\1", sample), 0);
}

TEST(SimulatorAnswers, NameEndsAtWhiteSpaceAndNeverOverrunsItsField) {
  FlightSample sample;
  const char* head = "A/20\\1/164\\1/172\\1/174\\1/214\\1/216\\1/82\\1/94\\1/96\\1/98\\1/22\\";
  ParseSlowAnswer((std::string(head) + "Yak-1 b\n").c_str(), sample);
  EXPECT_STREQ(sample.aircraftName, "Yak-1");
  ParseSlowAnswer((std::string(head) + std::string(500, 'N')).c_str(), sample);
  EXPECT_EQ(std::string(sample.aircraftName), std::string(15, 'N'));
}

}  // namespace
}  // namespace korvan
