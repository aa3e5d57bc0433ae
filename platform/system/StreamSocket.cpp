#include "platform/system/StreamSocket.h"

// The system's socket headers, chosen by the build (see SystemAddress.cpp).
#include KORVAN_SYSTEM_SOCKETS

#include "platform/system/SystemAddress.h"

namespace korvan {

StreamListener ListenOn(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return {};
  StreamListener listener;
  for (const addrinfo* at = found; at != nullptr && listener.socket == kNoSocket; at = at->ai_next)
    listener = ListenOnResolved(*at);
  freeaddrinfo(found);
  return listener;
}

}  // namespace korvan
