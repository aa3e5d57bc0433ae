#pragma once

// The web panel's sockets on either system: the handles, readiness polling,
// non-blocking reads and writes, and the wake-up the panel's loop waits on
// beside its sockets. PanelNet.cpp is the POSIX side, PanelNetWin32.cpp the
// Winsock one.

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#endif

#include <cstddef>

namespace korvan::virtual_lcd {

#ifdef _WIN32
using SocketHandle = SOCKET;
using PollEntry = WSAPOLLFD;
#else
using SocketHandle = int;
using PollEntry = pollfd;
#endif
inline constexpr SocketHandle kNoSocket = static_cast<SocketHandle>(-1);

// Winsock is started for as long as the panel runs (a count the system
// keeps); nothing to do on POSIX.
bool StartSockets();
void StopSockets();

// A non-blocking socket that child processes do not inherit, or kNoSocket.
SocketHandle OpenSocket(int family, int type, int protocol);
// Set on a listener before binding: a restarted panel gets its port back at
// once, while a port another program listens on stays refused.
void PrepareListener(SocketHandle socket);
void CloseSocket(SocketHandle socket);

enum class AcceptResult { kAccepted, kRetry, kNoneWaiting, kFailed };
// One waiting connection, non-blocking, with its peer's address.
AcceptResult AcceptOne(SocketHandle listener, sockaddr_storage& peer, SocketHandle& accepted);

// Bytes moved, 0 when the peer closed (receive only), -1 on failure; a
// failure that only means "not now" sets `wouldBlock`.
long ReceiveSome(SocketHandle socket, char* buffer, std::size_t size, bool& wouldBlock);
long SendSome(SocketHandle socket, const char* bytes, std::size_t size, bool& wouldBlock);
void ShutdownSending(SocketHandle socket);

// poll(): the ready count, or -1.
int PollSockets(PollEntry* entries, std::size_t count, int timeoutMs);

// What wakes the panel's loop from another thread: an eventfd on Linux, a
// loopback datagram socket sending to itself on Windows.
class PanelWake {
 public:
  bool Open();
  void Close();
  SocketHandle handle() const { return handle_; }
  // Any thread.
  void Signal();
  // The loop's thread: true when woken since the last call.
  bool Take();

 private:
  SocketHandle handle_ = kNoSocket;
};

}  // namespace korvan::virtual_lcd
