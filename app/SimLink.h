#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/FlightSample.h"
#include "platform/system/Clock.h"
#include "platform/system/DatagramSocket.h"

namespace korvan {

// One of the two fixed request and answer pairs.
struct SimExchange {
  std::string_view request;
  int (*parse)(const char* text, FlightSample& sample);
};

extern const SimExchange kFastExchange;
extern const SimExchange kSlowExchange;

// The whole conversation with the simulator: per exchange one datagram out,
// a fixed wait, and at most one datagram in. No connection and no retry
// state; a missing or unexpected answer leaves the values as they were.
class SimLink {
 public:
  static constexpr std::uint16_t kSimulatorPort = 6060;
  static constexpr std::uint32_t kAnswerWaitMs = 10;

  // Without a destination (the address did not parse) nothing is sent, but
  // receives still run, so stray datagrams are drained as before.
  SimLink(DatagramSocket& socket, Clock& clock, std::optional<Ipv4Endpoint> destination);

  void Exchange(const SimExchange& exchange, FlightSample& sample);

 private:
  DatagramSocket& socket_;
  Clock& clock_;
  std::optional<Ipv4Endpoint> destination_;
  // Answers of up to 1023 bytes fit with their terminator; a longer datagram
  // is dropped whole by the receive instead of overrunning the buffer.
  std::array<char, 1024> buffer_{};
};

}  // namespace korvan
