#include "services/virtual-lcd/PanelNet.h"

#include <windows.h>

namespace korvan::virtual_lcd {
namespace {

bool WouldBlock() {
  const int error = WSAGetLastError();
  return error == WSAEWOULDBLOCK || error == WSAEINTR;
}

bool SetNonBlocking(SocketHandle socket) {
  u_long on = 1;
  return ioctlsocket(socket, FIONBIO, &on) == 0;
}

int Clamp(std::size_t size) {
  return size > 1u << 30 ? 1 << 30 : static_cast<int>(size);
}

}  // namespace

bool StartSockets() {
  WSADATA data;
  return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void StopSockets() {
  WSACleanup();
}

SocketHandle OpenSocket(int family, int type, int protocol) {
  const SocketHandle socket = WSASocketW(family, type, protocol, nullptr, 0,
                                         WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
  if (socket != INVALID_SOCKET && !SetNonBlocking(socket)) {
    closesocket(socket);
    return kNoSocket;
  }
  return socket;
}

void PrepareListener(SocketHandle socket) {
  // Winsock's SO_REUSEADDR would let the panel take a port another program
  // listens on; a closed panel's port is free again at once without it.
  const BOOL yes = TRUE;
  setsockopt(socket, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
             sizeof yes);
}

void CloseSocket(SocketHandle socket) {
  if (socket != kNoSocket) closesocket(socket);
}

AcceptResult AcceptOne(SocketHandle listener, sockaddr_storage& peer, SocketHandle& accepted) {
  int length = sizeof peer;
  accepted = accept(listener, reinterpret_cast<sockaddr*>(&peer), &length);
  if (accepted != INVALID_SOCKET) {
    // Accepted sockets take the listener's non-blocking mode; said again
    // rather than relied on.
    if (SetNonBlocking(accepted)) return AcceptResult::kAccepted;
    closesocket(accepted);
    return AcceptResult::kRetry;
  }
  const int error = WSAGetLastError();
  if (error == WSAECONNRESET || error == WSAEINTR) return AcceptResult::kRetry;
  if (error == WSAEWOULDBLOCK) return AcceptResult::kNoneWaiting;
  return AcceptResult::kFailed;
}

long ReceiveSome(SocketHandle socket, char* buffer, std::size_t size, bool& wouldBlock) {
  const int length = recv(socket, buffer, Clamp(size), 0);
  wouldBlock = length == SOCKET_ERROR && WouldBlock();
  return length;
}

long SendSome(SocketHandle socket, const char* bytes, std::size_t size, bool& wouldBlock) {
  const int length = send(socket, bytes, Clamp(size), 0);
  wouldBlock = length == SOCKET_ERROR && WouldBlock();
  return length;
}

void ShutdownSending(SocketHandle socket) {
  shutdown(socket, SD_SEND);
}

int PollSockets(PollEntry* entries, std::size_t count, int timeoutMs) {
  return WSAPoll(entries, static_cast<ULONG>(count), timeoutMs);
}

// A datagram socket connected to its own loopback address: each signal is a
// one-byte datagram, and WSAPoll sees it readable like any socket.
bool PanelWake::Open() {
  handle_ = OpenSocket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (handle_ == kNoSocket) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  sockaddr* generic = reinterpret_cast<sockaddr*>(&address);
  if (bind(handle_, generic, length) != 0 || getsockname(handle_, generic, &length) != 0 ||
      connect(handle_, generic, length) != 0) {
    Close();
    return false;
  }
  return true;
}

void PanelWake::Close() {
  CloseSocket(handle_);
  handle_ = kNoSocket;
}

void PanelWake::Signal() {
  const char one = 1;
  send(handle_, &one, 1, 0);
}

bool PanelWake::Take() {
  char buffer[64];
  bool woken = false;
  while (recv(handle_, buffer, sizeof buffer, 0) >= 0) woken = true;
  return woken;
}

}  // namespace korvan::virtual_lcd
