#include "platform/system/StreamSocket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/system/SystemAddress.h"

namespace korvan {
namespace {

SOCKET ToSocket(SocketHandle socket) {
  return static_cast<SOCKET>(socket);
}

bool WouldBlock() {
  const int error = WSAGetLastError();
  return error == WSAEWOULDBLOCK || error == WSAEINTR;
}

bool SetNonBlocking(SOCKET socket) {
  u_long on = 1;
  return ioctlsocket(socket, FIONBIO, &on) == 0;
}

int Clamp(std::size_t size) {
  return size > 1u << 30 ? 1 << 30 : static_cast<int>(size);
}

bool OnlyIpv6(SOCKET socket) {
  DWORD only = 0;
  int length = sizeof only;
  return getsockopt(socket, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<char*>(&only), &length) ==
             0 &&
         only != 0;
}

}  // namespace

StreamListener ListenOnResolved(const addrinfo& candidate) {
  const SOCKET socket =
      WSASocketW(candidate.ai_family, candidate.ai_socktype, candidate.ai_protocol, nullptr, 0,
                 WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
  if (socket == INVALID_SOCKET) return {};
  // Winsock's SO_REUSEADDR would let the listener take a port another
  // program listens on; a closed listener's port is free again at once
  // without it.
  const BOOL yes = TRUE;
  setsockopt(socket, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
             sizeof yes);
  StreamListener listener;
  sockaddr_storage bound{};
  int length = sizeof bound;
  if (!SetNonBlocking(socket) ||
      bind(socket, candidate.ai_addr, static_cast<int>(candidate.ai_addrlen)) != 0 ||
      listen(socket, SOMAXCONN) != 0 ||
      getsockname(socket, reinterpret_cast<sockaddr*>(&bound), &length) != 0 ||
      !FromSystemAddress(reinterpret_cast<const sockaddr*>(&bound), listener.address,
                         listener.port)) {
    closesocket(socket);
    return {};
  }
  listener.socket = static_cast<SocketHandle>(socket);
  listener.takesIpv4 = listener.address.family == IpFamily::kV4 || !OnlyIpv6(socket);
  return listener;
}

AcceptResult AcceptOne(SocketHandle listener, SocketHandle& accepted, IpAddress& peer) {
  sockaddr_storage address{};
  int length = sizeof address;
  const SOCKET socket = accept(ToSocket(listener), reinterpret_cast<sockaddr*>(&address), &length);
  accepted = kNoSocket;
  if (socket != INVALID_SOCKET) {
    // Accepted sockets take the listener's non-blocking mode; said again
    // rather than relied on.
    if (!SetNonBlocking(socket)) {
      closesocket(socket);
      return AcceptResult::kRetry;
    }
    int port = 0;
    FromSystemAddress(reinterpret_cast<const sockaddr*>(&address), peer, port);
    accepted = static_cast<SocketHandle>(socket);
    return AcceptResult::kAccepted;
  }
  const int error = WSAGetLastError();
  if (error == WSAECONNRESET || error == WSAEINTR) return AcceptResult::kRetry;
  if (error == WSAEWOULDBLOCK) return AcceptResult::kNoneWaiting;
  return AcceptResult::kFailed;
}

long ReceiveSome(SocketHandle socket, char* buffer, std::size_t size, bool& wouldBlock) {
  const int length = recv(ToSocket(socket), buffer, Clamp(size), 0);
  wouldBlock = length == SOCKET_ERROR && WouldBlock();
  return length;
}

long SendSome(SocketHandle socket, const char* bytes, std::size_t size, bool& wouldBlock) {
  const int length = send(ToSocket(socket), bytes, Clamp(size), 0);
  wouldBlock = length == SOCKET_ERROR && WouldBlock();
  return length;
}

void ShutdownSending(SocketHandle socket) {
  shutdown(ToSocket(socket), SD_SEND);
}

void CloseSocket(SocketHandle socket) {
  if (socket != kNoSocket) closesocket(ToSocket(socket));
}

}  // namespace korvan
