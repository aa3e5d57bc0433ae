#pragma once

#include <string>

namespace korvan {

// What the system's registry says about a service class's server library.
struct RegisteredServer {
  enum class Status {
    kNoRegistry,  // the system keeps no such registry (Linux)
    kAbsent,      // nothing registered for the class
    kFound,       // `text` is the library's path
    kRefused      // something registered that is no usable path; `text` says why
  };
  Status status = Status::kNoRegistry;
  std::string text;
};

// The default value of HKLM\SOFTWARE\Classes\CLSID\<classId>\ServerBinary:
// an ANSI string of at most 260 bytes, its terminator included; a longer
// value, an empty one or one of another type is refused.
RegisteredServer RegisteredServerBinary(const std::string& classId);

}  // namespace korvan
