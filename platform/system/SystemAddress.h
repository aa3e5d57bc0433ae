#pragma once

// For the socket backends only: the system's socket addresses as ours.

#include "platform/system/NetworkAddresses.h"

struct sockaddr;

namespace korvan {

// An IPv4 or IPv6 socket address as its address and port; false for any
// other family.
bool FromSystemAddress(const sockaddr* address, IpAddress& ip, int& port);

}  // namespace korvan
