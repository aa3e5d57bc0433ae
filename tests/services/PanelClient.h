// Raw HTTP to the web panel over loopback, every wait bounded.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "services/virtual-lcd/PanelNet.h"

namespace korvan::virtual_lcd {

inline sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A socket connected to the panel and sent `request`.
inline SocketHandle Dial(int port, const std::string& request) {
  const SocketHandle fd = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  bool wouldBlock = false;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
    SendSome(fd, request.data(), request.size(), wouldBlock);
  return fd;
}

// The whole answer to `request` once the panel closed the connection, or
// "no close" after two seconds.
inline std::string Ask(int port, const std::string& request) {
  const SocketHandle fd = Dial(port, request);
  std::string answer;
  char buffer[4096];
  PollEntry wait{fd, POLLIN, 0};
  bool wouldBlock = false;
  for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);;) {
    if (std::chrono::steady_clock::now() >= end) {
      answer = "no close";
      break;
    }
    if (PollSockets(&wait, 1, 50) <= 0) continue;
    const long length = ReceiveSome(fd, buffer, sizeof buffer, wouldBlock);
    if (length <= 0) break;  // closed, or reset after all was read
    answer.append(buffer, static_cast<std::size_t>(length));
  }
  CloseSocket(fd);
  return answer;
}

}  // namespace korvan::virtual_lcd
