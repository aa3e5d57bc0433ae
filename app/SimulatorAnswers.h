#pragma once

#include "app/FlightSample.h"

namespace korvan {

inline constexpr char kFastRequest[] = "R/30/32/40/42/50";
inline constexpr char kSlowRequest[] = "R/20/164/172/174/214/216/82/94/96/98/22";

// Parse a zero-terminated answer with the scanf rules: fields are stored in
// order up to the first mismatch; the later ones keep their values. Each
// returns how many fields it stored.
int ParseFastAnswer(const char* text, FlightSample& sample);
int ParseSlowAnswer(const char* text, FlightSample& sample);

}  // namespace korvan
