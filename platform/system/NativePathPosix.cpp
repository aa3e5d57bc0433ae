#include "platform/system/NativePath.h"

namespace korvan {

// Paths are bytes here, shown as they are: the terminal reads them as it
// reads the names it lists itself.
std::string NativePath::Text() const {
  return narrow_.empty() ? path_.native() : narrow_;
}

}  // namespace korvan
