// Raw HTTP to the web panel over loopback, every wait bounded.
#pragma once

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace korvan::virtual_lcd {

inline sockaddr_in Loopback(int port) {
  return {AF_INET, htons(static_cast<std::uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
}

// A socket connected to the panel and sent `request`.
inline int Dial(int port, const std::string& request) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  return fd;
}

// The whole answer to `request` once the panel closed the connection, or
// "no close" after two seconds.
inline std::string Ask(int port, const std::string& request) {
  const int fd = Dial(port, request);
  std::string answer;
  char buffer[4096];
  pollfd wait{fd, POLLIN, 0};
  for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);;) {
    if (std::chrono::steady_clock::now() >= end) {
      answer = "no close";
      break;
    }
    if (poll(&wait, 1, 50) <= 0) continue;
    const ssize_t length = recv(fd, buffer, sizeof buffer, 0);
    if (length <= 0) break;  // closed, or reset after all was read
    answer.append(buffer, static_cast<std::size_t>(length));
  }
  close(fd);
  return answer;
}

}  // namespace korvan::virtual_lcd
