// Raw HTTP over loopback or an address of this machine, every wait bounded.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

#include <chrono>
#include <string>
#include <string_view>

#include "platform/system/SocketPoll.h"

namespace korvan::virtual_lcd {

// A socket to `host` (an IP literal) at `port` that sent `request`; kNoSocket if none connected.
inline SocketHandle Dial(int port, const std::string& request,
                         const std::string& host = "127.0.0.1") {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
    return kNoSocket;
  const auto socket = ::socket(found->ai_family, SOCK_STREAM, 0);
  const bool connected = connect(socket, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0;
  freeaddrinfo(found);
  const auto handle = static_cast<SocketHandle>(socket);
  bool wouldBlock = false;
  if (connected) SendSome(handle, request.data(), request.size(), wouldBlock);
  return handle;
}

inline std::string Press(const std::string& headers, const std::string& type,
                         const std::string& body) {
  return "POST /button HTTP/1.1\r\n" + headers + "Content-Type: " + type +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// What `socket` sends until `mark` (none: until it closes); "no close" if `timeout` passes first.
inline std::string Receive(SocketHandle socket, std::chrono::milliseconds timeout,
                           std::string_view mark = {}) {
  std::string got;
  char buffer[4096];
  PollEntry wait{socket, kPollIn, 0};
  bool wouldBlock = false;
  for (const auto end = std::chrono::steady_clock::now() + timeout;
       mark.empty() || got.find(mark) == std::string::npos;) {
    if (std::chrono::steady_clock::now() >= end) return "no close";
    if (PollSockets({&wait, 1}, 50) <= 0) continue;
    const long length = ReceiveSome(socket, buffer, sizeof buffer, wouldBlock);
    if (length <= 0) break;  // closed, or reset after all was read
    got.append(buffer, static_cast<std::size_t>(length));
  }
  return got;
}

inline bool Sees(SocketHandle socket, std::string_view mark, std::chrono::milliseconds timeout) {
  return Receive(socket, timeout, mark).find(mark) != std::string::npos;
}

// The whole answer to `request` once the server closed the connection.
inline std::string Ask(int port, const std::string& request,
                       const std::string& host = "127.0.0.1") {
  const SocketHandle socket = Dial(port, request, host);
  std::string answer = Receive(socket, std::chrono::seconds(2));
  CloseSocket(socket);
  return answer;
}

}  // namespace korvan::virtual_lcd
