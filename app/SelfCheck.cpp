#include "app/SelfCheck.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "app/SelfCheckProbes.h"
#include "app/SimLink.h"
#include "lcdlink/LcdServiceLocation.h"
#include "platform/system/Console.h"
#include "platform/system/NativePath.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/SystemClock.h"
#include "platform/system/UdpSocket.h"
#include "screens/ConfigurationReader.h"
#include "screens/IconFolder.h"

namespace korvan {
namespace {

// Stands in when the system gives no socket: every send is refused, so the
// simulator step says so instead of the check stopping.
struct RefusingSocket final : DatagramSocket {
  bool SendTo(const Ipv4Endpoint&, std::span<const char>) override { return false; }
  ReceiveResult Receive(std::span<char>) override { return {}; }
};

// The address as written, without the line end the configuration keeps.
std::string WrittenAddress(const Configuration& configuration) {
  std::string address(configuration.address);
  while (!address.empty() && (address.back() == '\n' || address.back() == '\r' ||
                              address.back() == ' ' || address.back() == '\t')) {
    address.pop_back();
  }
  return address;
}

// Either the check was started in the wrong folder or the file was never
// made: both ways out, with the example that came with the program if any.
std::string MissingFileAdvice(const std::string& example) {
  const std::string start =
      "     start korvan in the folder that holds LCD_Korvan.ini, or make one here";
  if (example.empty()) {
    return start + ": the README shows its seven lines; IP= is the simulator machine's address";
  }
  return start + " from " + example + ", with IP= the simulator machine's address";
}

// An example beside the program (the Windows release) or in the documents
// of an installed tree, as UTF-8.
std::string ExampleSettings(const std::filesystem::path& programFolder) {
  if (programFolder.empty()) return {};
  for (const std::filesystem::path& example :
       {programFolder / kConfigurationFileName,
        (programFolder / ".." / "share" / "doc" / "korvan" / kConfigurationFileName)
            .lexically_normal()}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(example, error)) return NativePath(example).Text();
  }
  return {};
}

bool CheckConfiguration(CheckedMachine& machine, Configuration& configuration) {
  const ConfigurationOutcome outcome = LoadConfiguration(kConfigurationFileName, configuration);
  std::error_code ignored;
  const std::string folder = NativePath(std::filesystem::current_path(ignored)).Text();
  if (outcome.status != ConfigurationStatus::kLoaded) {
    std::string message(outcome.message);
    if (!message.empty() && message.back() == '\n') message.pop_back();
    machine.report("FAIL " + std::string(kConfigurationFileName) + " in " + folder + ": " +
                   message);
    machine.report(outcome.status == ConfigurationStatus::kCannotOpen
                       ? MissingFileAdvice(ExampleSettings(machine.programFolder))
                       : "     correct that line; the README shows the seven lines in their order");
    return false;
  }
  char values[200];
  std::snprintf(values, sizeof values,
                "port %d, address %s, sleep %d ms, countdown %d min, altitude %d m, speed %d km/h",
                configuration.port, WrittenAddress(configuration).c_str(), configuration.sleep,
                configuration.countdown, configuration.altitude, configuration.speed);
  machine.report("OK   " + std::string(kConfigurationFileName) + " in " + folder + ": " + values);
  return true;
}

std::optional<Ipv4Endpoint> CheckAddress(CheckedMachine& machine,
                                         const Configuration& configuration) {
  const std::string written = WrittenAddress(configuration);
  const auto address = ParseIpv4Address(configuration.address);
  if (!address) {
    machine.report("FAIL the simulator address \"" + written +
                   "\" does not parse: write the simulator machine's IPv4 address after IP=, "
                   "like IP=192.168.1.20");
    return std::nullopt;
  }
  machine.report("OK   the simulator address " + written + " parses");
  return Ipv4Endpoint{*address, SimLink::kSimulatorPort};
}

}  // namespace

int RunSelfCheck(CheckedMachine& machine) {
  Configuration configuration;
  if (!CheckConfiguration(machine, configuration)) return 1;
  bool allWell = true;
  if (const std::optional<Ipv4Endpoint> simulator = CheckAddress(machine, configuration)) {
    allWell = ProbeSimulator(machine, *simulator) && allWell;
  } else {
    allWell = false;
    machine.report("FAIL the simulator was not asked, as its address does not parse");
  }
  allWell = ProbeLcdService(machine) && allWell;
  std::error_code ignored;
  const std::filesystem::path current = std::filesystem::current_path(ignored);
  allWell = ProbeIcons(machine, ChooseIconFolder(current, machine.programFolder).folder) && allWell;
  machine.report(allWell ? "All is well."
                         : "Fix the FAIL lines above, then run korvan --check again.");
  return allWell ? 0 : 1;
}

int RunSelfCheckHere() {
  SystemClock clock;
  std::string error;
  std::optional<UdpSocket> udp = UdpSocket::Create(error);
  if (!udp) std::fprintf(stderr, "korvan: cannot open the UDP socket: %s\n", error.c_str());
  RefusingSocket refusing;
  const LcdServiceLocation location = LocateLcdService();
  LcdManagerService service(location.path);
  CheckedMachine machine{.clock = clock,
                         .serviceClock = clock,
                         .socket = udp ? static_cast<DatagramSocket&>(*udp) : refusing,
                         .service = service,
                         .serviceLibrary = location.path,
                         .serviceRefusal = location.refusal,
                         .serviceOtherWidth = location.otherWidth,
                         .serviceNote = location.note,
                         .report = [](std::string_view line) {
                           WriteText(stdout, std::string(line) + "\n");
                           std::fflush(stdout);
                         }};
  machine.programFolder = ProgramFolder();
  const int result = RunSelfCheck(machine);
  if (machine.serviceCallsLeftRunning.joinable()) {
    // A thread is still inside the service's library: unloading it, or the
    // library's own exit handlers, would pull code from under that thread.
    // The process ends as it stands, and the system takes the thread with it.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(result);
  }
  return result;
}

}  // namespace korvan
