#include "platform/system/SocketLibrary.h"

#include <winsock2.h>

#include "platform/system/SystemErrorWin32.h"

namespace korvan {

bool SocketLibrary::Start(std::string& error) {
  if (held_) return true;
  WSADATA data{};
  int result = WSAStartup(MAKEWORD(2, 2), &data);
  if (result == 0 && data.wVersion != MAKEWORD(2, 2)) {
    WSACleanup();
    result = WSAVERNOTSUPPORTED;
  }
  if (result != 0) {
    error = "Winsock 2.2 did not start: " + SystemErrorText(static_cast<DWORD>(result));
    return false;
  }
  held_ = true;
  return true;
}

void SocketLibrary::Release() {
  if (std::exchange(held_, false)) WSACleanup();
}

}  // namespace korvan
