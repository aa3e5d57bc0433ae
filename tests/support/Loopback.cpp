#include "tests/support/Loopback.h"

#include <unistd.h>

namespace korvan::testing {

std::string ProcessLoopbackAddress(int lastOctet) {
  const unsigned id = static_cast<unsigned>(getpid());
  return "127." + std::to_string(10 + id % 200) + "." + std::to_string((id / 200) % 250) + "." +
         std::to_string(lastOctet);
}

std::optional<UdpSocket> BoundSocket(const std::string& address, std::uint16_t port,
                                     std::string& error) {
  std::optional<UdpSocket> socket = UdpSocket::Create(error);
  if (!socket) return std::nullopt;
  if (!socket->Bind({*ParseIpv4Address(address.c_str()), port}, error)) return std::nullopt;
  return socket;
}

std::optional<std::string> ReceiveText(UdpSocket& socket, int timeoutMs) {
  if (!socket.WaitReadable(timeoutMs)) return std::nullopt;
  char datagram[4096];
  const ReceiveResult got = socket.Receive(datagram);
  if (got.status != ReceiveStatus::kReceived) return std::nullopt;
  return std::string(datagram, got.size);
}

}  // namespace korvan::testing
