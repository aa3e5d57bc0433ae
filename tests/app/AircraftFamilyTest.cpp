#include "app/AircraftFamily.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace korvan {
namespace {

using enum AircraftFamily;

TEST(AircraftFamily, RecognisedByCaseSensitivePrefixOnly) {
  const std::pair<const char16_t*, AircraftFamily> cases[] = {
      {u"Seafire_III", kSeafire},
      {u"Spitfire", kSeafire},
      {u"Sp", kUnknown},
      {u"Bf-109", kMe109},
      {u"FW190", kMe109},
      {u"Fw-190A", kMe109},
      {u"fw190", kUnknown},
      {u"Ju-87", kMe109},
      {u"F4U-1", kF4u},
      {u"Corsair", kF4u},
      {u"F6F", kF4u},
      {u"P-51D", kF4u},
      {u"A5M", kZero},
      {u"A6M2", kZero},
      {u"Ki-84", kZero},
      {u"Yak-3", kYak1},
      {u"Ya", kUnknown},
      {u"Il", kYak1},
      {u"La-5FN", kYak1},
      {u"Pe-2", kYak1},
      {u"", kUnknown},
      {u"Hurricane", kUnknown},
  };
  for (const auto& [name, family] : cases) {
    EXPECT_EQ(RecognizeFamily(name), family) << std::u16string_view(name).size();
  }
  const std::pair<AircraftFamily, std::size_t> sets[] = {{kUnknown, 0}, {kSeafire, 0}, {kMe109, 1},
                                                         {kF4u, 2},     {kZero, 3},    {kYak1, 4}};
  for (const auto& [family, set] : sets) EXPECT_EQ(IconSetOf(family), set);
}

// One set's eleven icons in slot order, grouped 1_x 2_x 3_x 4_x: '1' shown,
// '0' hidden, '-' left as it was.
std::string Visibility(AircraftFamily family, float v174, float v214, float v82, float v164,
                       float v216) {
  FlightSample sample;
  sample.value174 = v174;
  sample.value214 = v214;
  sample.value82 = v82;
  sample.value164 = v164;
  sample.value216 = v216;
  std::string text;
  const IconVisibility icons = IndicatorVisibility(family, sample);
  for (std::size_t i = 0; i < icons.size(); ++i) {
    if (i == 2 || i == 4 || i == 8) text += ' ';
    text += icons[i] ? (*icons[i] ? '1' : '0') : '-';
  }
  return text;
}

TEST(AircraftFamily, IndicatorRulesPerFamilyAndValue) {
  const float nan = std::nanf("");
  struct Case {
    AircraftFamily family;
    float v174, v214, v82, v164, v216;
    const char* icons;
  } const cases[] = {
      // The first pair follows 174 and the second 214; the f4u and zero sets
      // the other way round. NaN counts as not zero.
      {kMe109, 1, 0, -1, 0, 0, "01 10 1000 100"},
      {kUnknown, 1, 0, -1, 0, 0, "01 10 1000 100"},
      {kF4u, 1, 0, -1, 0, 0, "10 01 1000 100"},
      {kZero, 1, 0, -1, 0, 0, "10 01 1000 100"},
      {kYak1, 0, nan, -1, 0, 0, "10 01 1000 100"},
      // The four-position group by the exact pattern of the four texts.
      {kSeafire, 0, 0, 0.0f, 0, 0, "10 10 1000 100"},
      {kSeafire, 0, 0, -0.0f, 0, 0, "10 10 1000 100"},
      {kSeafire, 0, 0, -0.6f, 0, 0, "10 10 0100 100"},
      {kSeafire, 0, 0, -0.34f, 0, 0, "10 10 0010 100"},
      {kSeafire, 0, 0, 1.0f, 0, 0, "10 10 0001 100"},
      {kSeafire, 0, 0, 0.5f, 0, 0, "10 10 ---- 100"},
      {kSeafire, 0, 0, std::nextafter(1.0f, 2.0f), 0, 0, "10 10 ---- 100"},
      {kSeafire, 0, 0, -0.6000001f, 0, 0, "10 10 ---- 100"},
      {kSeafire, 0, 0, nan, 0, 0, "10 10 ---- 100"},
      // The fourth group: unarmed, armed and closed, armed and open.
      {kYak1, 0, 0, -1, 0, 1, "10 10 1000 100"},
      {kYak1, 0, 0, -1, 1, 0, "10 10 1000 010"},
      {kYak1, 0, 0, -1, 1, 1, "10 10 1000 001"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Visibility(c.family, c.v174, c.v214, c.v82, c.v164, c.v216), c.icons)
        << "family " << static_cast<int>(c.family) << ", 174 " << c.v174 << ", 214 " << c.v214
        << ", 82 " << c.v82 << ", 164 " << c.v164 << ", 216 " << c.v216;
  }
}

}  // namespace
}  // namespace korvan
