#include "platform/system/UdpSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/system/SystemAddress.h"
#include "platform/system/SystemErrorWin32.h"

namespace korvan {
namespace {

// Windows keeps kernel handles, sockets among them, within 32 bits so 32-
// and 64-bit programs can share them; the descriptor field holds one as is.
SOCKET ToSocket(int descriptor) {
  return static_cast<SOCKET>(static_cast<std::intptr_t>(descriptor));
}

// A datagram sent to a port nobody listens on would otherwise make the next
// receive fail with WSAECONNRESET; Linux says nothing, and neither do we.
// Debian's MinGW headers lack the control code; its value is Microsoft's.
void IgnorePortUnreachable(SOCKET socket) {
  constexpr DWORD kUdpConnectionReset = _WSAIOW(IOC_VENDOR, 12);  // SIO_UDP_CONNRESET
  BOOL report = FALSE;
  DWORD returned = 0;
  WSAIoctl(socket, kUdpConnectionReset, &report, sizeof report, nullptr, 0, &returned, nullptr,
           nullptr);
}

}  // namespace

std::optional<UdpSocket> UdpSocket::Create(std::string& error) {
  SocketLibrary library;
  if (!library.Start(error)) return std::nullopt;
  const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  u_long nonBlocking = 1;
  if (socket == INVALID_SOCKET || ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
    error = SystemErrorText(static_cast<DWORD>(WSAGetLastError()));
    if (socket != INVALID_SOCKET) closesocket(socket);
    return std::nullopt;
  }
  IgnorePortUnreachable(socket);
  return UdpSocket(static_cast<int>(socket), std::move(library));
}

// The socket first: Winsock may stop with the share.
void UdpSocket::Close() {
  if (descriptor_ != -1) closesocket(ToSocket(std::exchange(descriptor_, -1)));
  library_.Release();
}

bool UdpSocket::Bind(const Ipv4Endpoint& local, std::string& error) {
  const sockaddr_in address = ToSockaddr(local);
  if (bind(ToSocket(descriptor_), reinterpret_cast<const sockaddr*>(&address), sizeof address) !=
      0) {
    error = SystemErrorText(static_cast<DWORD>(WSAGetLastError()));
    return false;
  }
  return true;
}

Ipv4Endpoint UdpSocket::LocalEndpoint() const {
  sockaddr_in address{};
  int length = sizeof address;
  if (getsockname(ToSocket(descriptor_), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return {};
  }
  return FromSockaddr(address);
}

bool UdpSocket::WaitReadable(int milliseconds) const {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(ToSocket(descriptor_), &readable);
  timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
  return select(0, &readable, nullptr, nullptr, milliseconds < 0 ? nullptr : &limit) > 0;
}

bool UdpSocket::SendTo(const Ipv4Endpoint& destination, std::span<const char> bytes) {
  if (bytes.size() > 0x7FFFFFFFu) return false;
  const sockaddr_in address = ToSockaddr(destination);
  const int sent = sendto(ToSocket(descriptor_), bytes.data(), static_cast<int>(bytes.size()), 0,
                          reinterpret_cast<const sockaddr*>(&address), sizeof address);
  return sent == static_cast<int>(bytes.size());
}

ReceiveResult UdpSocket::Receive(std::span<char> buffer) {
  sockaddr_in sender{};
  int senderLength = sizeof sender;
  const int capacity = static_cast<int>(std::min<std::size_t>(buffer.size(), 0x7FFFFFFFu));
  const int received = recvfrom(ToSocket(descriptor_), buffer.data(), capacity, 0,
                                reinterpret_cast<sockaddr*>(&sender), &senderLength);
  if (received == SOCKET_ERROR) {
    // The datagram did not fit: Winsock has discarded the rest of it, and
    // the part in the buffer must not be parsed as if it were whole.
    if (WSAGetLastError() == WSAEMSGSIZE) {
      return {ReceiveStatus::kOversized, 0, FromSockaddr(sender)};
    }
    return {};
  }
  return {ReceiveStatus::kReceived, static_cast<std::size_t>(received), FromSockaddr(sender)};
}

}  // namespace korvan
