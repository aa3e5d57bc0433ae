#include "app/AircraftFamily.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

namespace korvan {
namespace {

TEST(AircraftFamily, RecognisedByCaseSensitivePrefixOnly) {
  const std::pair<const char16_t*, AircraftFamily> cases[] = {
      {u"Seafire_III", 1}, {u"Spitfire", 1}, {u"Sp", 0},     {u"Bf-109", 2}, {u"FW190", 2},
      {u"Fw-190A", 2},     {u"fw190", 0},    {u"Ju-87", 2},  {u"F4U-1", 3},  {u"Corsair", 3},
      {u"F6F", 3},         {u"P-51D", 3},    {u"A6M2", 4},   {u"Ki-84", 4},  {u"Yak-3", 5},
      {u"Ya", 0},          {u"Il", 5},       {u"La-5FN", 5}, {u"Pe-2", 5},   {u"", 0},
      {u"Hurricane", 0},
  };
  for (const auto& [name, family] : cases) {
    EXPECT_EQ(RecognizeFamily(name), family) << std::u16string_view(name).size();
  }
  EXPECT_EQ(IconSetOf(0), IconSetOf(1));
  EXPECT_EQ(IconSetOf(5), 4);
}

FlightSample Sample(float v174, float v214, float v82, float v164, float v216) {
  FlightSample sample;
  sample.value174 = v174;
  sample.value214 = v214;
  sample.value82 = v82;
  sample.value164 = v164;
  sample.value216 = v216;
  return sample;
}

TEST(AircraftFamily, PairsFollowTheirValueAndSwapForTheNavalSets) {
  const auto me109 = IndicatorVisibility(2, Sample(1, 0, -1, 0, 0));
  EXPECT_EQ(me109[0], false);  // 1_0: 174 is not 0
  EXPECT_EQ(me109[1], true);
  EXPECT_EQ(me109[2], true);  // 2_0: 214 is 0
  EXPECT_EQ(me109[3], false);
  const auto f4u = IndicatorVisibility(3, Sample(1, 0, -1, 0, 0));
  EXPECT_EQ(f4u[0], true);  // 1_0 follows 214 in this set
  EXPECT_EQ(f4u[2], false);
  const auto nan = IndicatorVisibility(2, Sample(std::nanf(""), 0, -1, 0, 0));
  EXPECT_EQ(nan[1], true);  // NaN is not equal to 0
}

TEST(AircraftFamily, FourPositionGroupMatchesExactPatternsOnly) {
  const std::pair<float, int> known[] = {{-1.0f, 0}, {0.0f, 0},   {-0.0f, 0},
                                         {-0.6f, 1}, {-0.34f, 2}, {1.0f, 3}};
  for (const auto& [value, position] : known) {
    const auto icons = IndicatorVisibility(1, Sample(0, 0, value, 0, 0));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(icons[4 + i], i == position) << value;
  }
  for (const float other : {0.5f, std::nextafter(1.0f, 2.0f), -0.6000001f, std::nanf("")}) {
    const auto icons = IndicatorVisibility(1, Sample(0, 0, other, 0, 0));
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(icons[4 + i].has_value()) << other;
  }
}

TEST(AircraftFamily, FourthGroupHasThreeStates) {
  auto icons = IndicatorVisibility(5, Sample(0, 0, 1, 0, 1));
  EXPECT_EQ(icons[8], true);
  EXPECT_EQ(icons[9], false);
  EXPECT_EQ(icons[10], false);
  icons = IndicatorVisibility(5, Sample(0, 0, 1, 1, 0));
  EXPECT_EQ(icons[8], false);
  EXPECT_EQ(icons[9], true);
  EXPECT_EQ(icons[10], false);
  icons = IndicatorVisibility(5, Sample(0, 0, 1, 1, 1));
  EXPECT_EQ(icons[10], true);
}

}  // namespace
}  // namespace korvan
