#pragma once

#include <optional>
#include <string>

#include "platform/system/UdpSocket.h"

namespace korvan::testing {

// An address of 127/8 (all loopback) of this test process's own, so
// programs under test can poll port 6060 there without meeting another
// test's peer. `lastOctet` tells apart the peers of one process.
std::string ProcessLoopbackAddress(int lastOctet);

// A socket bound to `address`:`port`, or nothing with `error` set.
std::optional<UdpSocket> BoundSocket(const std::string& address, std::uint16_t port,
                                     std::string& error);

// The next datagram as text, waiting up to `timeoutMs`; nothing when none came.
std::optional<std::string> ReceiveText(UdpSocket& socket, int timeoutMs);

}  // namespace korvan::testing
