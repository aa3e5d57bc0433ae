#pragma once

// For the socket backends only: the system's socket addresses as ours,
// written once in SystemAddress.cpp for both systems.

#include "platform/system/Ipv4Endpoint.h"
#include "platform/system/NetworkAddresses.h"
#include "platform/system/StreamSocket.h"

struct addrinfo;
struct sockaddr;
struct sockaddr_in;

namespace korvan {

// An IPv4 or IPv6 socket address as its address and port; false for any
// other family.
bool FromSystemAddress(const sockaddr* address, IpAddress& ip, int& port);

// An IPv4 endpoint as the system's socket address, and back.
sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint);
Ipv4Endpoint FromSockaddr(const sockaddr_in& address);

// Each backend's: a non-blocking listener on one address the resolver gave,
// or none (kNoSocket). ListenOn (StreamSocket.cpp) tries them in turn.
StreamListener ListenOnResolved(const addrinfo& candidate);

}  // namespace korvan
