#pragma once

#include <cstdint>

#include "app/DisplayText.h"
#include "app/FlightSample.h"

namespace korvan {

// The texts every number reaches the LCD through. Each keeps at most six
// characters (a fixed box holds no more) and never overruns, whatever the
// float: infinities and NaN included.

// Truncated toward zero, "%d". Non-finite shows 0; beyond the 32-bit range
// the value is clamped to it. Takes a double so a quotient computed wider
// than a float (the fuel percentage) is truncated before any rounding.
DisplayText TruncatedText(double value);
// "%d".
DisplayText IntegerText(std::int32_t value);
// "%-10.2f", the first six characters.
DisplayText Fixed2Text(float value);
// Whole units and sixtieths as "hh:mm" from the third and fourth printed
// characters of each divided by 100; non-finite shows 00:00.
DisplayText TimeText(float value);
// The display copy of the aircraft name: at most its first 13 characters.
DisplayText NameText(const FlightSample& sample);

}  // namespace korvan
