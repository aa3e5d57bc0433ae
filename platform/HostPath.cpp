#include "platform/HostPath.h"

#include <string>

namespace korvan {

std::filesystem::path HostPath(std::string_view stored) {
  std::string path(stored);
  for (char& c : path) {
    if (c == '\\') c = std::filesystem::path::preferred_separator;
  }
  return std::filesystem::path(path);
}

}  // namespace korvan
