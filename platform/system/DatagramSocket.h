#pragma once

#include <cstddef>
#include <span>

#include "platform/system/Ipv4Endpoint.h"

namespace korvan {

// What one non-blocking receive found.
enum class ReceiveStatus {
  kNothing,    // nothing waiting, or the receive failed
  kReceived,   // one datagram, `size` bytes long, is in the buffer
  kOversized,  // one datagram was waiting but did not fit; it was dropped whole
};

struct ReceiveResult {
  ReceiveStatus status = ReceiveStatus::kNothing;
  std::size_t size = 0;
  Ipv4Endpoint sender;
};

// A non-blocking UDP socket, injected so the simulator link can be tested
// with fakes as well as with real loopback peers.
class DatagramSocket {
 public:
  virtual ~DatagramSocket() = default;

  // Sends one datagram; false when the system refused it.
  virtual bool SendTo(const Ipv4Endpoint& destination, std::span<const char> bytes) = 0;

  // Takes at most one waiting datagram into `buffer`, never writing past it.
  virtual ReceiveResult Receive(std::span<char> buffer) = 0;
};

}  // namespace korvan
