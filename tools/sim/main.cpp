// korvan-sim: a simulator stand-in that answers Korvan's requests, or a
// relay that records a real simulator's answers for it to replay.

#include <cstdio>
#include <memory>
#include <string>

#include "platform/system/SystemClock.h"
#include "platform/system/TerminationSignal.h"
#include "tools/sim/ReplayedAnswers.h"
#include "tools/sim/SimAnswer.h"
#include "tools/sim/SimRelay.h"
#include "tools/sim/SimServer.h"

namespace {

using namespace korvan;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

int Relay(UdpSocket socket, const sim::SimOptions& options, const std::atomic<bool>& stop) {
  // Binary, so a Windows build writes the same line ends as Linux.
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(options.record.c_str(), "wb"));
  if (!file) {
    std::fprintf(stderr, "korvan-sim: cannot write %s\n", options.record.c_str());
    return 1;
  }
  std::fprintf(stderr, "korvan-sim: relaying %s:%u to %s, recording into %s (Ctrl-C to stop)\n",
               options.bind.c_str(), options.port, FormatIpv4Endpoint(options.upstream).c_str(),
               options.record.c_str());
  SystemClock clock;
  sim::SimRelay relay(std::move(socket), options.upstream, file.get(), clock, stderr,
                      options.quiet);
  while (!stop.load()) relay.ServeFor(200);
  return 0;
}

// The scripted flight, or the recording; null (said) when it is refused.
std::unique_ptr<sim::AnswerSource> MakeSource(const sim::SimOptions& options, std::string& what) {
  what = options.aircraft;
  if (options.replay.empty()) return std::make_unique<sim::ScriptedAnswers>(options.aircraft);
  sim::FlightRecording recording;
  std::string error;
  if (!sim::ReadFlightFile(options.replay.c_str(), recording, error)) {
    std::fprintf(stderr, "korvan-sim: %s: %s\n", options.replay.c_str(), error.c_str());
    return nullptr;
  }
  what = options.replay + " (" + std::to_string(recording.lengthMs / 1000) + " s" +
         (options.loop ? ", looping)" : ")");
  return std::make_unique<sim::ReplayedAnswers>(std::move(recording), options.loop, stderr);
}

int Serve(UdpSocket socket, sim::AnswerSource& source, const std::string& what,
          const sim::SimOptions& options, const std::atomic<bool>& stop) {
  std::fprintf(stderr, "korvan-sim: serving %s on %s:%u (Ctrl-C to stop)\n", what.c_str(),
               options.bind.c_str(), options.port);
  SystemClock clock;
  sim::SimServer server(std::move(socket), source, options, clock,
                        options.quiet ? nullptr : stderr);
  while (!stop.load()) server.ServeFor(200);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
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
  std::string what;
  std::unique_ptr<sim::AnswerSource> source;
  if (options.record.empty() && !(source = MakeSource(options, what))) return 2;
  const std::atomic<bool>& stop = InstallTerminationHandlers();
  auto socket = UdpSocket::Create(error);
  const Ipv4Endpoint local{*ParseIpv4Address(options.bind.c_str()), options.port};
  if (local == options.upstream) {
    std::fprintf(stderr, "korvan-sim: --upstream is where the relay itself listens\n");
    return 2;
  }
  if (!socket || !socket->Bind(local, error)) {
    std::fprintf(stderr, "korvan-sim: cannot listen on %s:%u: %s\n", options.bind.c_str(),
                 options.port, error.c_str());
    return 1;
  }
  const int code = source ? Serve(std::move(*socket), *source, what, options, stop)
                          : Relay(std::move(*socket), options, stop);
  if (code == 0) std::fprintf(stderr, "korvan-sim: stopped\n");
  return code;
}
