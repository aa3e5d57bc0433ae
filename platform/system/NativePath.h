#pragma once

#include <filesystem>
#include <string>
#include <utility>

namespace korvan {

// A file's path in the form the system handed it over, handed back to the
// system in that same form: nothing on the way converts it to another
// encoding, so a folder named in any language is reached and no conversion
// can fail. Windows has two forms, each kept as given: UTF-16 from its wide
// calls (GetModuleFileNameW), which std::filesystem::path holds there (its
// string() and u8string() convert, so they are not used on such paths),
// and the ANSI code page's bytes from its narrow ones (a registry value read
// with RegQueryValueExA, getenv). Linux has bytes either way.
class NativePath {
 public:
  NativePath() = default;
  // From a wide call, or built from such a path with std::filesystem.
  NativePath(std::filesystem::path path) : path_(std::move(path)) {}
  // The bytes of a narrow call, kept as they are.
  static NativePath FromNarrow(std::string bytes) {
    NativePath narrow;
    narrow.narrow_ = std::move(bytes);
    return narrow;
  }

  bool empty() const { return path_.empty() && narrow_.empty(); }
  // The bytes for the narrow call that takes them back; empty unless the
  // path came from a narrow call.
  const std::string& Narrow() const { return narrow_; }
  // The path otherwise.
  const std::filesystem::path& Path() const { return path_; }
  // The path for a message: UTF-8, each character as the system reads it
  // (one it cannot read as U+FFFD); never throws.
  std::string Text() const;

 private:
  std::filesystem::path path_;
  std::string narrow_;
};

}  // namespace korvan
