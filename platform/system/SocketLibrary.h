#pragma once

#include <string>
#include <utility>

namespace korvan {

// A share of the system's socket library. On Windows Winsock must be
// started before any socket is made, and it is released when the last share
// goes: the system counts the shares of the program and of any plug-in it
// loads, so each holds its own and lets go of it when its sockets are
// closed. POSIX has nothing to start.
class SocketLibrary {
 public:
  SocketLibrary() = default;  // holds no share
  ~SocketLibrary() { Release(); }
  SocketLibrary(SocketLibrary&& other) noexcept : held_(std::exchange(other.held_, false)) {}
  SocketLibrary& operator=(SocketLibrary&& other) noexcept {
    if (this != &other) {
      Release();
      held_ = std::exchange(other.held_, false);
    }
    return *this;
  }
  SocketLibrary(const SocketLibrary&) = delete;
  SocketLibrary& operator=(const SocketLibrary&) = delete;

  // Takes a share unless one is held; false with `error` filled when the
  // library does not start.
  bool Start(std::string& error);
  // Gives the share back; the last one released stops the library.
  void Release();
  bool Held() const { return held_; }

 private:
  bool held_ = false;
};

}  // namespace korvan
