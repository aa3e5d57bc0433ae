#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/system/DatagramSocket.h"
#include "platform/system/SocketLibrary.h"

namespace korvan {

// A real IPv4 UDP socket, non-blocking, closed on destruction. It holds a
// share of the socket library while open, so closing it also lets the
// library go once nothing else holds it.
class UdpSocket final : public DatagramSocket {
 public:
  // Creates the socket; on failure returns nothing and fills `error`.
  static std::optional<UdpSocket> Create(std::string& error);

  UdpSocket(UdpSocket&& other) noexcept
      : descriptor_(std::exchange(other.descriptor_, -1)), library_(std::move(other.library_)) {}
  UdpSocket& operator=(UdpSocket&& other) noexcept {
    if (this != &other) {
      Close();
      descriptor_ = std::exchange(other.descriptor_, -1);
      library_ = std::move(other.library_);
    }
    return *this;
  }
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;
  ~UdpSocket() override { Close(); }

  // Binds to a local address; false with `error` filled when refused.
  bool Bind(const Ipv4Endpoint& local, std::string& error);

  // The local address and port the system chose or that Bind set.
  Ipv4Endpoint LocalEndpoint() const;

  // Waits up to `milliseconds` for a datagram to arrive; true when one is waiting.
  bool WaitReadable(int milliseconds) const;

  void Close();

  bool SendTo(const Ipv4Endpoint& destination, std::span<const char> bytes) override;
  ReceiveResult Receive(std::span<char> buffer) override;

 private:
  explicit UdpSocket(int descriptor, SocketLibrary library = {})
      : descriptor_(descriptor), library_(std::move(library)) {}
  int descriptor_ = -1;
  SocketLibrary library_;
};

}  // namespace korvan
