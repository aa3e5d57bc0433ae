#include "platform/system/SocketLibrary.h"

namespace korvan {

// POSIX sockets need no start: a share is only a mark.
bool SocketLibrary::Start(std::string&) {
  held_ = true;
  return true;
}

void SocketLibrary::Release() {
  held_ = false;
}

}  // namespace korvan
