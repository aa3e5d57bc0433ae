#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "app/AppState.h"
#include "app/FlightSample.h"

namespace korvan {

inline constexpr int kFamilyCount = 6;
inline constexpr std::size_t kIconsPerFamilySet = 11;

// The family of an aircraft from the first letters of its display name.
AircraftFamily RecognizeFamily(std::u16string_view name);

// Which of the five icon sets a family uses: families 0 and 1 share one.
int IconSetOf(AircraftFamily family);

// The icons of one set in their fixed order: 1_0 1_1 2_0 2_1 3_0 3_1 3_2 3_3
// 4_0 4_1 4_2. For each, whether the indicator rules make it visible,
// hide it, or leave it as it is (nothing).
using IconVisibility = std::array<std::optional<bool>, kIconsPerFamilySet>;

IconVisibility IndicatorVisibility(AircraftFamily family, const FlightSample& sample);

}  // namespace korvan
