#include "tools/sim/SimOptions.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "platform/system/Ipv4Endpoint.h"

namespace korvan::sim {

const char kSimUsage[] =
    "Usage: korvan-sim [options]\n"
    "A simulator stand-in for Korvan: answers UDP requests \"R/n/n/...\" with\n"
    "\"A/n\\value/...\" following a scripted flight that loops every 6 minutes\n"
    "(take-off, climb, cruise with turns, a bomb run, descent, landing).\n"
    "\n"
    "  --bind ADDR        IPv4 address to listen on (default 127.0.0.1)\n"
    "  --port N           UDP port to listen on (default 6060)\n"
    "  --aircraft NAME    aircraft type name sent as parameter 22, no blanks,\n"
    "                     at most 40 characters (default Bf-109G-2)\n"
    "  --drop P           ignore a request with probability P (0..1)\n"
    "  --delay MS         send each answer MS milliseconds late\n"
    "  --garble P         corrupt an answer with probability P (0..1)\n"
    "  --oversize P       send a 2000-byte datagram instead, with probability P\n"
    "  --silent-after S   stop answering S seconds after the start\n"
    "  --seed N           seed of the fault dice (default 1)\n"
    "  --quiet            no log line every second\n"
    "  --help             this text\n"
    "\n"
    "Parameters served: 30 airspeed km/h, 32 climb m/s, 40 altitude m,\n"
    "42 heading, 50 fuel %, 20 clock (hours, minutes as fraction), 164 bomb bay,\n"
    "172 speed m/s, 174 gear, 214 flaps, 216 bombs released (0 or 1),\n"
    "82 four-state control (-1, -0.6, -0.34, 1, stepping every 5 s),\n"
    "94 roll, 96 pitch, 98 heading, 22 aircraft name.\n";

namespace {

bool ParseProbability(std::string_view text, double& value) {
  char* end = nullptr;
  const std::string copy(text);
  value = std::strtod(copy.c_str(), &end);
  return end != copy.c_str() && *end == '\0' && value >= 0 && value <= 1;
}

template <typename Integer>
bool ParseInteger(std::string_view text, Integer& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ValidName(std::string_view name) {
  if (name.empty() || name.size() > 40) return false;
  for (const char c : name) {
    if (std::isspace(static_cast<unsigned char>(c)) || !std::isprint(static_cast<unsigned char>(c)))
      return false;
  }
  return true;
}

}  // namespace

bool ParseSimOptions(int argc, const char* const* argv, SimOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help" || flag == "-h") {
      options.help = true;
      continue;
    }
    if (flag == "--quiet") {
      options.quiet = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = "missing value after " + std::string(flag);
      return false;
    }
    const std::string_view value = argv[++i];
    bool ok = true;
    if (flag == "--bind") {
      options.bind = value;
      ok = ParseIpv4Address(options.bind.c_str()).has_value();
    } else if (flag == "--port") {
      ok = ParseInteger(value, options.port) && options.port != 0;
    } else if (flag == "--aircraft") {
      options.aircraft = value;
      ok = ValidName(value);
    } else if (flag == "--drop") {
      ok = ParseProbability(value, options.dropProbability);
    } else if (flag == "--delay") {
      ok = ParseInteger(value, options.delayMs);
    } else if (flag == "--garble") {
      ok = ParseProbability(value, options.garbleProbability);
    } else if (flag == "--oversize") {
      ok = ParseProbability(value, options.oversizeProbability);
    } else if (flag == "--silent-after") {
      std::uint32_t seconds = 0;
      ok = ParseInteger(value, seconds);
      options.silentAfterSeconds = seconds;
    } else if (flag == "--seed") {
      ok = ParseInteger(value, options.seed);
    } else {
      error = "unknown option " + std::string(flag) + " (see --help)";
      return false;
    }
    if (!ok) {
      error = "bad value for " + std::string(flag) + ": " + std::string(value);
      return false;
    }
  }
  return true;
}

}  // namespace korvan::sim
