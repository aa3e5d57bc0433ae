#pragma once

#include <string>

#include "services/virtual-lcd/PanelNet.h"
#include "services/virtual-lcd/Settings.h"

namespace korvan::virtual_lcd {

struct PanelListener {
  SocketHandle fd = kNoSocket;  // non-blocking; kNoSocket: the address could not be had
  int port = 0;
  bool loopback = false;  // only this machine can reach it
};

// Binds and listens on the address (a host name, an IP literal, port 0 for
// a free one) without blocking.
PanelListener ListenOn(const PanelAddress& address);

// The client's IP address, by which its connections are counted.
std::string PeerName(const sockaddr_storage& address);

}  // namespace korvan::virtual_lcd
