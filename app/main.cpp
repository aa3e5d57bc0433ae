// Korvan: live flight data from the simulator on the keyboard's LCD.

#include <cstdio>
#include <string>

#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/DisplayCycle.h"
#include "app/FlightSample.h"
#include "app/ScreenSteps.h"
#include "app/SelfCheck.h"
#include "app/SimLink.h"
#include "platform/system/Console.h"
#include "platform/system/SystemClock.h"
#include "platform/system/TerminationSignal.h"
#include "platform/system/UdpSocket.h"
#include "screens/ConfigurationReader.h"
#include "screens/IconFolder.h"
#include "screens/IconSets.h"
#include "screens/ScreenBuilder.h"

namespace korvan {
namespace {

constexpr int kStartFailed = -1;

std::optional<Ipv4Endpoint> SimulatorDestination(const Configuration& configuration) {
  const auto address = ParseIpv4Address(configuration.address);
  if (!address) {
    std::fprintf(stderr,
                 "korvan: the simulator address in %s does not parse; the simulator is not "
                 "polled\n",
                 kConfigurationFileName);
    return std::nullopt;
  }
  return Ipv4Endpoint{*address, SimLink::kSimulatorPort};
}

// `korvan --stop`: the running program of this session ends cleanly.
int RequestStop() {
  switch (RequestRunningProgramsStop()) {
    case StopRequest::kSent:
      return 0;
    case StopRequest::kNoneRunning:
      std::fputs("korvan: no running Korvan to stop\n", stderr);
      return 1;
    case StopRequest::kUnsupported:
      break;
  }
  std::fputs("korvan: --stop is for Windows; stop it here with Ctrl-C or a signal\n", stderr);
  return 1;
}

int Run() {
  const std::atomic<bool>& stopRequested = InstallTerminationHandlers();

  Configuration configuration;
  const ConfigurationOutcome outcome = LoadConfiguration(kConfigurationFileName, configuration);
  if (outcome.status != ConfigurationStatus::kLoaded) {
    std::fputs(outcome.message, stdout);
    return outcome.status == ConfigurationStatus::kCannotOpen ? 1 : kStartFailed;
  }

  SystemClock clock;
  LcdFacade facade(clock, LcdManagerService::Shared());
  ScreenItems items;
  BuildScreens(facade, items);
  LoadedIcons icons;
  BuildStatusPage(facade, items, icons, IconFolderForThisRun());

  // After the facade, so it goes first: the socket holds the program's
  // share of the socket library, and both are let go before the LCD service
  // is cleaned up with the facade.
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error);
  if (!socket) {
    std::fprintf(stderr, "korvan: cannot open the UDP socket: %s\n", error.c_str());
    return kStartFailed;
  }
  SimLink link(*socket, clock, SimulatorDestination(configuration));

  FlightSample sample;
  AppState state = InitialAppState(configuration);
  ShowFirstFrame(facade);
  ScreenSteps steps(AppContext{facade, items, state, sample, configuration});
  DisplayCycle cycle(link, clock, configuration, state, sample, steps, stopRequested);
  cycle.Run();

  // A clean end: the socket closed and the socket library released, then
  // the LCD side (the facade goes when this scope ends).
  socket.reset();
  return 0;
}

}  // namespace
}  // namespace korvan

int main(int argc, char** argv) {
  korvan::ShowOutputInParentConsole();
  const korvan::Command command = korvan::ParseCommandLine(argc, argv);
  switch (command.action) {
    case korvan::Action::kRun:
      break;
    case korvan::Action::kStop:
      return korvan::RequestStop();
    case korvan::Action::kHelp:
      return korvan::ShowHelp();
    case korvan::Action::kVersion:
      return korvan::ShowVersion();
    case korvan::Action::kCheck:
      return korvan::RunSelfCheckHere();
    case korvan::Action::kRefuse:
      return korvan::RefuseCommandLine(command);
  }
  return korvan::Run();
}
