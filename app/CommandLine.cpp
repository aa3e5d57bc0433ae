#include "app/CommandLine.h"

#include <cstdio>

#include "screens/Configuration.h"

namespace korvan {
namespace {

constexpr int kUsageError = 2;

struct Option {
  std::string_view name;
  Action action;
  const char* help;
};

constexpr Option kOptions[] = {
    {"--check", Action::kCheck, "test the settings, simulator, LCD service and icons, then exit"},
    {"--stop", Action::kStop, "stop the running Korvan of this session (Windows)"},
    {"--version", Action::kVersion, "print the version and exit"},
    {"--help", Action::kHelp, "print this help and exit"},
};

}  // namespace

Command ParseCommandLine(int argc, const char* const* argv) {
  if (argc <= 1) return {};
  const std::string_view first = argv[1];
  if (argc > 2) return {Action::kRefuse, argv[2]};
  for (const Option& option : kOptions) {
    if (first == option.name) return {option.action, {}};
  }
  return {Action::kRefuse, first};
}

std::string UsageText() {
  std::string text =
      "usage: korvan [option]\n"
      "Without an option, shows the simulator's flight data on the keyboard's LCD\n"
      "until stopped.\n";
  for (const Option& option : kOptions) {
    text.append("  ").append(option.name).append(11 - option.name.size(), ' ');
    text.append(option.help).append("\n");
  }
  text.append("The settings are read from ")
      .append(kConfigurationFileName)
      .append(" in the current folder, and the icons\nfrom its images folder.\n");
  return text;
}

int ShowHelp() {
  std::fputs(UsageText().c_str(), stdout);
  return 0;
}

int ShowVersion() {
  std::puts("korvan " KORVAN_VERSION);
  return 0;
}

int RefuseCommandLine(const Command& command) {
  const std::string refused(command.refused);
  std::fprintf(stderr, "korvan: unknown argument %s\n%s", refused.c_str(), UsageText().c_str());
  return kUsageError;
}

}  // namespace korvan
