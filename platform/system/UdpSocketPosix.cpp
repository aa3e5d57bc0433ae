#include "platform/system/UdpSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/system/SystemAddress.h"

namespace korvan {

std::optional<UdpSocket> UdpSocket::Create(std::string& error) {
  const int descriptor = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (descriptor < 0) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  return UdpSocket(descriptor);
}

void UdpSocket::Close() {
  if (descriptor_ >= 0) close(std::exchange(descriptor_, -1));
}

bool UdpSocket::Bind(const Ipv4Endpoint& local, std::string& error) {
  const sockaddr_in address = ToSockaddr(local);
  if (bind(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

Ipv4Endpoint UdpSocket::LocalEndpoint() const {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return {};
  return FromSockaddr(address);
}

bool UdpSocket::WaitReadable(int milliseconds) const {
  pollfd waiting{descriptor_, POLLIN, 0};
  return poll(&waiting, 1, milliseconds) > 0 && (waiting.revents & POLLIN) != 0;
}

bool UdpSocket::SendTo(const Ipv4Endpoint& destination, std::span<const char> bytes) {
  const sockaddr_in address = ToSockaddr(destination);
  const ssize_t sent = sendto(descriptor_, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                              reinterpret_cast<const sockaddr*>(&address), sizeof address);
  return sent == static_cast<ssize_t>(bytes.size());
}

ReceiveResult UdpSocket::Receive(std::span<char> buffer) {
  sockaddr_in sender{};
  socklen_t senderLength = sizeof sender;
  // MSG_TRUNC makes the call report the datagram's real length, so one that
  // did not fit is recognised and dropped instead of parsed half.
  const ssize_t received =
      recvfrom(descriptor_, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
               reinterpret_cast<sockaddr*>(&sender), &senderLength);
  if (received < 0) return {};
  const auto size = static_cast<std::size_t>(received);
  if (size > buffer.size()) return {ReceiveStatus::kOversized, 0, FromSockaddr(sender)};
  return {ReceiveStatus::kReceived, size, FromSockaddr(sender)};
}

}  // namespace korvan
