#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/FlightSample.h"
#include "platform/system/Clock.h"
#include "platform/system/DatagramSocket.h"

namespace korvan {

// One of the two fixed request and answer pairs. An answer starts with its
// request's first parameter, which is how it finds its parser.
struct SimExchange {
  std::string_view request;
  std::string_view answerPrefix;
  int (*parse)(const char* text, FlightSample& sample);
};

extern const SimExchange kFastExchange;
extern const SimExchange kSlowExchange;

// The exchange whose answer `text` is, by its prefix; null for anything else.
const SimExchange* AnsweredExchange(std::string_view text);

// The whole conversation with the simulator: per exchange one datagram out,
// a fixed wait, then every datagram queued by then, each handed to the
// parser of the request it answers, in arrival order. A duplicate, a late
// answer or a stray datagram therefore never shifts later answers onto the
// wrong parser. Only datagrams from the simulator's address count, from any
// of its ports; answers from another address are dropped, and each such
// address is said once on standard error. No connection and no retry state;
// a missing or unexpected answer leaves the values as they were.
class SimLink {
 public:
  static constexpr std::uint16_t kSimulatorPort = 6060;
  static constexpr std::uint32_t kAnswerWaitMs = 10;
  // Silence this long is said once on standard error, and so is its end.
  static constexpr std::uint32_t kSilenceReportMs = 5000;
  // Bounds one exchange's reading when something floods the port; what is
  // left waits for the next exchange.
  static constexpr int kMaxDatagramsPerExchange = 64;
  // Addresses said as answering in the simulator's place, at most this many:
  // forged senders cannot grow the list.
  static constexpr std::size_t kNamedStrangersAtMost = 8;

  // Without a destination (the address did not parse) nothing is sent and
  // every datagram is drained unread.
  SimLink(DatagramSocket& socket, Clock& clock, std::optional<Ipv4Endpoint> destination);

  void Exchange(const SimExchange& exchange, FlightSample& sample);

 private:
  bool TakeAnswer(const ReceiveResult& received, FlightSample& sample);
  void NoteAnswered(bool answered);
  void NoteStranger(std::uint32_t address);

  DatagramSocket& socket_;
  Clock& clock_;
  std::optional<Ipv4Endpoint> destination_;
  std::uint32_t lastAnswerMs_ = 0;
  bool silent_ = false;
  std::array<std::uint32_t, kNamedStrangersAtMost> strangers_{};
  std::size_t strangerCount_ = 0;
  // Answers of up to 1023 bytes fit with their terminator; a longer datagram
  // is dropped whole by the receive instead of overrunning the buffer.
  std::array<char, 1024> buffer_{};
};

}  // namespace korvan
