#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <random>
#include <string>

#include "platform/system/Clock.h"
#include "platform/system/UdpSocket.h"
#include "tools/sim/AnswerSource.h"
#include "tools/sim/SimOptions.h"

namespace korvan::sim {

struct SimCounters {
  std::uint64_t fast = 0;        // "R/30/..." requests answered
  std::uint64_t slow = 0;        // other well-formed requests answered
  std::uint64_t unanswered = 0;  // no request, or none the source answers
  std::uint64_t dropped = 0;
  std::uint64_t garbled = 0;
  std::uint64_t oversized = 0;
  std::uint64_t late = 0;
  std::uint64_t silent = 0;  // ignored after --silent-after
};

// Answers requests on a bound socket from `source`, with the faults the
// options ask for.
class SimServer {
 public:
  SimServer(UdpSocket socket, AnswerSource& source, const SimOptions& options, Clock& clock,
            std::FILE* log);

  // Serves for up to `waitMs`: answers what arrives, sends late answers that
  // are due, and writes the log line once a second.
  void ServeFor(int waitMs);

  Ipv4Endpoint LocalEndpoint() const { return socket_.LocalEndpoint(); }
  const SimCounters& counters() const { return counters_; }

 private:
  struct LateAnswer {
    std::uint32_t due;
    Ipv4Endpoint destination;
    std::string bytes;
  };

  double Seconds() const;
  void Answer(std::string_view request, const Ipv4Endpoint& sender);
  void Send(std::string answer, const Ipv4Endpoint& destination);
  void SendLateAnswers();
  void LogOncePerSecond();
  bool Roll(double probability);

  UdpSocket socket_;
  SimOptions options_;
  Clock& clock_;
  std::FILE* log_;
  AnswerSource& source_;
  std::mt19937 dice_;
  std::uint32_t start_;
  std::deque<LateAnswer> late_;
  SimCounters counters_;
  // For the log: fast requests seen in the current second and their spacing.
  std::uint32_t lastLog_;
  std::uint64_t fastAtLastLog_ = 0;
  std::uint32_t firstFastInSecond_ = 0;
  std::uint32_t lastFast_ = 0;
  std::uint32_t fastInSecond_ = 0;
};

}  // namespace korvan::sim
