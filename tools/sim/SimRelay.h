#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/system/UdpSocket.h"

namespace korvan::sim {

struct RelayCounters {
  std::uint64_t requests = 0;  // forwarded upstream
  std::uint64_t answers = 0;   // forwarded back
};

// Relays between the program and a real simulator and records both ways
// (see FlightRecording.h). One socket serves both sides: a datagram from the
// upstream address is an answer and goes to whoever sent the latest request,
// any other is a request and goes upstream. Answers are relayed whenever
// they come, however late. Each line is flushed as it is written, so a
// crash keeps what was recorded.
class SimRelay {
 public:
  // Writes the format's header line to `recording` at once. `log` gets the
  // changes a person needs to know and, unless quiet, a line every second.
  SimRelay(UdpSocket socket, const Ipv4Endpoint& upstream, std::FILE* recording, Clock& clock,
           std::FILE* log, bool quiet = false);

  // Relays for up to `waitMs`, and writes the log line once a second.
  void ServeFor(int waitMs);

  Ipv4Endpoint LocalEndpoint() const { return socket_.LocalEndpoint(); }
  const RelayCounters& counters() const { return counters_; }

 private:
  void Relay(std::string_view datagram, const Ipv4Endpoint& sender);
  void Record(char direction, std::string_view datagram);
  void WriteLine(const std::string& line);
  void LogOncePerSecond();

  UdpSocket socket_;
  Ipv4Endpoint upstream_;
  std::FILE* recording_;
  Clock& clock_;
  std::FILE* log_;
  bool quiet_;
  std::uint32_t start_;
  std::uint32_t lastLog_;
  std::vector<char> buffer_;
  Ipv4Endpoint requester_;
  bool hasRequester_ = false;
  bool writeFailed_ = false;
  bool upstreamHeard_ = false;
  RelayCounters counters_;
};

}  // namespace korvan::sim
