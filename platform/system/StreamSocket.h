#pragma once

// TCP sockets that never block: listening, accepting, reading and writing.
// The caller holds a share of the SocketLibrary while it uses them.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/system/NetworkAddresses.h"

namespace korvan {

// A socket as the system numbers it (a descriptor, or a Winsock SOCKET), in
// a type of our own so that no system header reaches the callers.
using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

// A listening socket, non-blocking, that child processes do not inherit.
struct StreamListener {
  SocketHandle socket = kNoSocket;  // kNoSocket: the address could not be had
  int port = 0;                     // the port bound: the free one taken for port 0
  IpAddress address;                // the address bound
  bool takesIpv4 = true;            // IPv4 clients reach it (an IPv6 one: when dual-stack)
};

// Binds and listens on `host` (a host name or an IP literal) at `port`,
// the first address the name has that can be bound. A restarted listener
// gets its port back at once, while a port another program listens on stays
// refused.
StreamListener ListenOn(const std::string& host, int port);

enum class AcceptResult { kAccepted, kRetry, kNoneWaiting, kFailed };
// One waiting connection, non-blocking, with its peer's address.
AcceptResult AcceptOne(SocketHandle listener, SocketHandle& accepted, IpAddress& peer);

// Bytes moved, 0 when the peer closed (receive only), -1 on failure; a
// failure that only means "not now" sets `wouldBlock`. A send to a closed
// peer fails rather than raising a signal.
long ReceiveSome(SocketHandle socket, char* buffer, std::size_t size, bool& wouldBlock);
long SendSome(SocketHandle socket, const char* bytes, std::size_t size, bool& wouldBlock);
void ShutdownSending(SocketHandle socket);
void CloseSocket(SocketHandle socket);

}  // namespace korvan
