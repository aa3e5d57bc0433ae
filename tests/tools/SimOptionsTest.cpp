#include "tools/sim/SimOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvan::sim {

// The stand-in's command line: each row the arguments after the program's
// name and what is said of them ("" when they are taken).
TEST(SimOptions, TakesGoodArgumentsAndNamesTheFirstBadOne) {
  using Args = std::vector<const char*>;
  const auto parse = [](Args args, SimOptions& options) {
    args.insert(args.begin(), "korvan-sim");
    std::string error;
    const bool taken = ParseSimOptions(static_cast<int>(args.size()), args.data(), options, error);
    return taken == error.empty() ? error : "taken but said: " + error;
  };
  const std::pair<Args, std::string> rows[] = {
      {{"--aircraft", "Yak-1", "--port", "7000", "--silent-after", "30", "--drop", "1"}, ""},
      {{"--record", "f", "--upstream", "10.0.0.2:6061"}, ""},
      {{"--replay", "f", "--loop", "--quiet", "--bind", "127.0.0.2", "--seed", "9"}, ""},
      {{"--bind", "999.0.0.1"}, "bad value for --bind: 999.0.0.1"},
      {{"--aircraft", "two words"}, "bad value for --aircraft: two words"},
      {{"--port", "0"}, "bad value for --port: 0"},
      {{"--drop", "1.5"}, "bad value for --drop: 1.5"},
      {{"--upstream", "10.0.0.2:x"}, "bad value for --upstream: 10.0.0.2:x"},
      {{"--upstream", "10.0.0.2:0"}, "bad value for --upstream: 10.0.0.2:0"},
      {{"--upstream", "10.0.0.2"}, "bad value for --upstream: 10.0.0.2"},
      {{"--record", "f"}, "--record and --upstream go together"},
      {{"--record", "f", "--upstream", "1.2.3.4:5", "--replay", "g"},
       "--record and --replay exclude each other"},
      {{"--record", "f", "--upstream", "1.2.3.4:5", "--silent-after", "0"},
       "--record relays faithfully: no fault options with it"},
      {{"--loop"}, "--loop needs --replay"},
      {{"--frobnicate", "1"}, "unknown option --frobnicate (see --help)"},
      {{"--seed"}, "missing value after --seed"}};
  for (const auto& [args, said] : rows) {
    SimOptions options;
    EXPECT_EQ(parse(args, options), said) << args.front();
  }

  SimOptions options;
  parse({"--aircraft", "Yak-1", "--port", "7000", "--silent-after", "30"}, options);
  parse({"--record", "f", "--upstream", "10.0.0.2:6061"}, options);
  EXPECT_EQ(options.aircraft + " " + std::to_string(options.port) + " " +
                std::to_string(options.silentAfterSeconds) + " " +
                FormatIpv4Endpoint(options.upstream),
            "Yak-1 7000 30.000000 10.0.0.2:6061");
}

}  // namespace korvan::sim
