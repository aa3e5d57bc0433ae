// korvan-sim: a simulator stand-in that answers Korvan's requests.

#include <cstdio>
#include <string>

#include "platform/system/SystemClock.h"
#include "platform/system/TerminationSignal.h"
#include "tools/sim/SimServer.h"

int main(int argc, char** argv) {
  using namespace korvan;
  sim::SimOptions options;
  std::string error;
  if (!sim::ParseSimOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "korvan-sim: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(sim::kSimUsage, stdout);
    return 0;
  }
  const std::atomic<bool>& stop = InstallTerminationHandlers();
  auto socket = UdpSocket::Create(error);
  const Ipv4Endpoint local{*ParseIpv4Address(options.bind.c_str()), options.port};
  if (!socket || !socket->Bind(local, error)) {
    std::fprintf(stderr, "korvan-sim: cannot listen on %s:%u: %s\n", options.bind.c_str(),
                 options.port, error.c_str());
    return 1;
  }
  std::fprintf(stderr, "korvan-sim: serving %s on %s:%u (Ctrl-C to stop)\n",
               options.aircraft.c_str(), options.bind.c_str(), options.port);
  SystemClock clock;
  sim::SimServer server(std::move(*socket), options, clock, options.quiet ? nullptr : stderr);
  while (!stop.load()) server.ServeFor(200);
  std::fprintf(stderr, "korvan-sim: stopped\n");
  return 0;
}
