#include "app/SelfCheck.h"

#include <cstdio>
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

bool CheckConfiguration(SelfCheckSeams& seams, Configuration& configuration) {
  const ConfigurationOutcome outcome = LoadConfiguration(kConfigurationFileName, configuration);
  std::error_code ignored;
  const std::string folder = NativePath(std::filesystem::current_path(ignored)).Text();
  if (outcome.status != ConfigurationStatus::kLoaded) {
    std::string message(outcome.message);
    if (!message.empty() && message.back() == '\n') message.pop_back();
    seams.say("FAIL " + std::string(kConfigurationFileName) + " in " + folder + ": " + message);
    seams.say(outcome.status == ConfigurationStatus::kCannotOpen
                  ? "     start korvan from the folder that holds LCD_Korvan.ini"
                  : "     correct that line; the README shows the seven lines in their order");
    return false;
  }
  char values[200];
  std::snprintf(values, sizeof values,
                "port %d, address %s, sleep %d ms, countdown %d min, altitude %d m, speed %d km/h",
                configuration.port, WrittenAddress(configuration).c_str(), configuration.sleep,
                configuration.countdown, configuration.altitude, configuration.speed);
  seams.say("OK   " + std::string(kConfigurationFileName) + " in " + folder + ": " + values);
  return true;
}

std::optional<Ipv4Endpoint> CheckAddress(SelfCheckSeams& seams,
                                         const Configuration& configuration) {
  const std::string written = WrittenAddress(configuration);
  const auto address = ParseIpv4Address(configuration.address);
  if (!address) {
    seams.say("FAIL the simulator address \"" + written +
              "\" does not parse: write the simulator machine's IPv4 address after IP=, "
              "like IP=192.168.1.20");
    return std::nullopt;
  }
  seams.say("OK   the simulator address " + written + " parses");
  return Ipv4Endpoint{*address, SimLink::kSimulatorPort};
}

}  // namespace

int RunSelfCheck(SelfCheckSeams& seams) {
  Configuration configuration;
  if (!CheckConfiguration(seams, configuration)) return 1;
  bool allWell = true;
  if (const std::optional<Ipv4Endpoint> simulator = CheckAddress(seams, configuration)) {
    allWell = ProbeSimulator(seams, *simulator) && allWell;
  } else {
    allWell = false;
    seams.say("FAIL the simulator was not asked, as its address does not parse");
  }
  allWell = ProbeLcdService(seams) && allWell;
  allWell = ProbeIcons(seams) && allWell;
  seams.say(allWell ? "All is well." : "Fix the FAIL lines above, then run korvan --check again.");
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
  SelfCheckSeams seams{clock,
                       udp ? static_cast<DatagramSocket&>(*udp) : refusing,
                       service,
                       location.path,
                       location.refusal,
                       location.otherWidth,
                       location.note,
                       [](std::string_view line) {
                         WriteText(stdout, std::string(line) + "\n");
                         std::fflush(stdout);
                       }};
  std::error_code ignored;
  seams.iconFolder =
      ChooseIconFolder(std::filesystem::current_path(ignored), ProgramFolder()).folder;
  return RunSelfCheck(seams);
}

}  // namespace korvan
