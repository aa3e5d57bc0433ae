#pragma once

#include <cstdint>
#include <string>

#include "platform/system/Ipv4Endpoint.h"

namespace korvan::sim {

struct SimOptions {
  std::string bind = "127.0.0.1";
  std::uint16_t port = 6060;
  std::string aircraft = "Bf-109G-2";
  double dropProbability = 0;
  std::uint32_t delayMs = 0;
  double garbleProbability = 0;
  double oversizeProbability = 0;
  double silentAfterSeconds = -1;  // negative: never falls silent
  std::uint32_t seed = 1;
  std::string record{};  // relay to `upstream` and record into this file
  Ipv4Endpoint upstream{};
  std::string replay{};  // answer from this recorded flight
  bool loop = false;
  bool quiet = false;
  bool help = false;
};

// Parses the command line; on a bad argument returns false with `error` set.
bool ParseSimOptions(int argc, const char* const* argv, SimOptions& options, std::string& error);

extern const char kSimUsage[];

}  // namespace korvan::sim
