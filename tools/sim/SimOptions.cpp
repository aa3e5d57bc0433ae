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
    "  --record FILE      relay to the simulator at --upstream instead, recording\n"
    "                     every request and answer into FILE (see below)\n"
    "  --upstream IP:PORT the simulator --record relays to\n"
    "  --replay FILE      answer as the recorded flight FILE did, at its pace\n"
    "  --loop             with --replay: start the recording again at its end\n"
    "                     (without it, no more answers come after the end)\n"
    "  --quiet            no log line every second\n"
    "  --help             this text\n"
    "\n"
    "Parameters served: 30 airspeed km/h, 32 climb m/s, 40 altitude m,\n"
    "42 heading, 50 fuel %, 20 clock (hours, minutes as fraction), 164 bomb bay,\n"
    "172 speed m/s, 174 gear, 214 flaps, 216 bombs released (0 or 1),\n"
    "82 four-state control (-1, -0.6, -0.34, 1, stepping every 5 s),\n"
    "94 roll, 96 pitch, 98 heading, 22 aircraft name.\n"
    "\n"
    "Recorded flights: --record listens as above, forwards each request to the\n"
    "upstream simulator and its answers, however late, to the latest requester.\n"
    "The file is text, flushed line by line:\n"
    "  korvan-flight 1                          format and version\n"
    "  T+120 > R/30/32/40/42/50                 a request, 120 ms after the start\n"
    "  T+121 < A/30\\300/32\\5.5/40\\1000%0A       an answer to the request above\n"
    "Bytes '!' to '~' stand as they are except '%'; every other byte (blank,\n"
    "line end, '%', control, 8-bit) is written %HH. Times never decrease.\n"
    "--replay answers a request with the answers recorded after the latest\n"
    "identical request at or before the replay's time since its start, at once;\n"
    "the fault options still apply. A malformed file is refused (exit 2) with\n"
    "its line number and the reason.\n";

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

bool ParseEndpoint(std::string_view text, Ipv4Endpoint& endpoint) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos) return false;
  const auto address = ParseIpv4Address(std::string(text.substr(0, colon)).c_str());
  if (!address || !ParseInteger(text.substr(colon + 1), endpoint.port) || endpoint.port == 0)
    return false;
  endpoint.address = *address;
  return true;
}

// One option with a value; false when the value is bad or, with `known`
// cleared, the option unknown.
bool ParseValue(std::string_view flag, std::string_view value, SimOptions& options, bool& known) {
  if (flag == "--bind") {
    options.bind = value;
    return ParseIpv4Address(options.bind.c_str()).has_value();
  }
  if (flag == "--port") return ParseInteger(value, options.port) && options.port != 0;
  if (flag == "--aircraft") {
    options.aircraft = value;
    return ValidName(value);
  }
  if (flag == "--drop") return ParseProbability(value, options.dropProbability);
  if (flag == "--delay") return ParseInteger(value, options.delayMs);
  if (flag == "--garble") return ParseProbability(value, options.garbleProbability);
  if (flag == "--oversize") return ParseProbability(value, options.oversizeProbability);
  if (flag == "--silent-after") {
    std::uint32_t seconds = 0;
    const bool ok = ParseInteger(value, seconds);
    options.silentAfterSeconds = seconds;
    return ok;
  }
  if (flag == "--seed") return ParseInteger(value, options.seed);
  if (flag == "--record" || flag == "--replay") {
    (flag == "--record" ? options.record : options.replay) = value;
    return !value.empty();
  }
  if (flag == "--upstream") return ParseEndpoint(value, options.upstream);
  known = false;
  return false;
}

// The options that go together: relaying, replaying or the scripted flight.
bool CheckModes(const SimOptions& options, std::string& error) {
  const bool faults = options.dropProbability > 0 || options.delayMs > 0 ||
                      options.garbleProbability > 0 || options.oversizeProbability > 0 ||
                      options.silentAfterSeconds >= 0;
  const bool record = !options.record.empty();
  if (record != (options.upstream.port != 0)) {
    error = "--record and --upstream go together";
  } else if (record && !options.replay.empty()) {
    error = "--record and --replay exclude each other";
  } else if (record && faults) {
    error = "--record relays faithfully: no fault options with it";
  } else if (options.loop && options.replay.empty()) {
    error = "--loop needs --replay";
  } else {
    return true;
  }
  return false;
}

}  // namespace

bool ParseSimOptions(int argc, const char* const* argv, SimOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help" || flag == "-h" || flag == "--quiet" || flag == "--loop") {
      (flag == "--quiet" ? options.quiet : flag == "--loop" ? options.loop : options.help) = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = "missing value after " + std::string(flag);
      return false;
    }
    const std::string_view value = argv[++i];
    bool known = true;
    if (!ParseValue(flag, value, options, known)) {
      error = known ? "bad value for " + std::string(flag) + ": " + std::string(value)
                    : "unknown option " + std::string(flag) + " (see --help)";
      return false;
    }
  }
  return options.help || CheckModes(options, error);
}

}  // namespace korvan::sim
