#include "app/AircraftFamily.h"

#include <bit>
#include <cstdint>

namespace korvan {
namespace {

struct Prefix {
  std::u16string_view letters;
  AircraftFamily family;
};

using enum AircraftFamily;

constexpr Prefix kPrefixes[] = {
    {u"Sea", kSeafire}, {u"Spi", kSeafire}, {u"Bf", kMe109}, {u"FW", kMe109}, {u"Fw", kMe109},
    {u"Ju", kMe109},    {u"F4", kF4u},      {u"Co", kF4u},   {u"F6", kF4u},   {u"P-", kF4u},
    {u"A5", kZero},     {u"A6", kZero},     {u"Ki", kZero},  {u"Yak", kYak1}, {u"Il", kYak1},
    {u"La", kYak1},     {u"Pe", kYak1},
};

// The four-position control reports exactly these floats (from the texts
// -1, -0.6, -0.34 and 1); anything else leaves the group as it was.
constexpr std::uint32_t kMinusOne = 0xBF800000;
constexpr std::uint32_t kMinusPointSix = 0xBF19999A;
constexpr std::uint32_t kMinusPointThirtyFour = 0xBEAE147B;
constexpr std::uint32_t kOne = 0x3F800000;

// The f4u and zero sets have their first two pairs the other way round.
bool PairsSwapped(AircraftFamily family) {
  return family == kF4u || family == kZero;
}

void SetPair(IconVisibility& icons, int first, float value) {
  icons[first] = value == 0.0f;
  icons[first + 1] = !(value == 0.0f);
}

std::optional<int> FourPositionIndex(float value) {
  const auto pattern = std::bit_cast<std::uint32_t>(value);
  if (pattern == kMinusOne || value == 0.0f) return 0;
  if (pattern == kMinusPointSix) return 1;
  if (pattern == kMinusPointThirtyFour) return 2;
  if (pattern == kOne) return 3;
  return std::nullopt;
}

}  // namespace

AircraftFamily RecognizeFamily(std::u16string_view name) {
  AircraftFamily family = kUnknown;
  for (const Prefix& prefix : kPrefixes) {
    if (name.starts_with(prefix.letters)) family = prefix.family;
  }
  return family;
}

std::size_t IconSetOf(AircraftFamily family) {
  const auto code = static_cast<std::size_t>(family);
  return code <= 1 ? 0 : code - 1;
}

IconVisibility IndicatorVisibility(AircraftFamily family, const FlightSample& sample) {
  IconVisibility icons;
  const bool swapped = PairsSwapped(family);
  SetPair(icons, 0, swapped ? sample.value214 : sample.value174);
  SetPair(icons, 2, swapped ? sample.value174 : sample.value214);
  if (const auto position = FourPositionIndex(sample.value82)) {
    for (int i = 0; i < 4; ++i) icons[4 + i] = (i == *position);
  }
  const bool armed = !(sample.value164 == 0.0f);
  icons[8] = !armed;
  icons[9] = armed && sample.value216 == 0.0f;
  icons[10] = armed && !(sample.value216 == 0.0f);
  return icons;
}

}  // namespace korvan
