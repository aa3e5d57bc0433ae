#pragma once

#include <string>
#include <string_view>

namespace korvan {

enum class Action {
  kRun,      // no arguments: the program as it always ran
  kStop,     // --stop
  kHelp,     // --help
  kVersion,  // --version
  kCheck,    // --check
  kRefuse,   // anything else: said with the usage, exit 2
};

struct Command {
  Action action = Action::kRun;
  std::string_view refused;  // the argument not understood, for kRefuse
};

// One option at most; a second argument is refused like an unknown one.
Command ParseCommandLine(int argc, const char* const* argv);

std::string UsageText();

// `korvan --help`, `korvan --version` and a refused command line; each
// returns the exit code.
int ShowHelp();
int ShowVersion();
int RefuseCommandLine(const Command& command);

}  // namespace korvan
