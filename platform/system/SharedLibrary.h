#pragma once

#include <string>
#include <utility>

#include "platform/system/NativePath.h"

namespace korvan {

// The file a shared library called `name` is built as: liblcd-virtual.so on
// Linux, lcd-virtual.dll on Windows for "lcd-virtual".
std::string SharedLibraryFileName(const std::string& name);

// A shared library loaded at run time; unloaded when the object goes.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  ~SharedLibrary() { Close(); }
  SharedLibrary(SharedLibrary&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}
  SharedLibrary& operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, nullptr);
      error_ = std::move(other.error_);
    }
    return *this;
  }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // Unloads what was loaded before; false with Error() set when loading
  // fails. The path reaches the loader in the form it was found in.
  bool Open(const NativePath& path);
  // The address of an exported symbol, or null with Error() set.
  void* Symbol(const char* name);
  // Unloads what is loaded; each system does it its own way.
  void Close();

  bool IsOpen() const { return handle_ != nullptr; }
  // The loader's text for the last failure, in UTF-8.
  const std::string& Error() const { return error_; }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

}  // namespace korvan
