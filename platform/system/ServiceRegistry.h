#pragma once

#include <string>

namespace korvan {

// What the system's registry says about a service class's server library.
struct RegisteredServer {
  enum class Status {
    kNoRegistry,  // the system keeps no such registry (Linux)
    kAbsent,      // nothing registered for the class
    kFound,       // `text` is the library's path, the ANSI bytes as stored
    kRefused,     // something registered that is no usable path; `text` says why
    // Nothing for this program's width, but a path for programs of the
    // other (on 64-bit Windows each width has its own view of the key).
    kOtherWidthOnly
  };
  Status status = Status::kNoRegistry;
  std::string text;
};

// The default value of HKLM\SOFTWARE\Classes\CLSID\<classId>\ServerBinary
// in this program's view of the registry: an ANSI string of at most 260
// bytes, its terminator included; a longer value, an empty one or one of
// another type is refused. When that view has none, the other width's view
// tells kOtherWidthOnly from kAbsent.
RegisteredServer RegisteredServerBinary(const std::string& classId);

}  // namespace korvan
