#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "app/AppState.h"
#include "app/FlightSample.h"
#include "screens/IconLayout.h"

namespace korvan {

// The family of an aircraft from the first letters of its display name.
AircraftFamily RecognizeFamily(std::u16string_view name);

// Which of the icon sets of kIconSetLayouts a family uses: unknown aircraft
// share the seafire set.
std::size_t IconSetOf(AircraftFamily family);

// For each icon of a set, in slot order, whether the indicator rules make
// it visible, hide it, or leave it as it is (nothing).
using IconVisibility = std::array<std::optional<bool>, kIconsPerSet>;

IconVisibility IndicatorVisibility(AircraftFamily family, const FlightSample& sample);

}  // namespace korvan
