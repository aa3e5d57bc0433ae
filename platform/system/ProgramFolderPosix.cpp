#include "platform/system/ProgramFolder.h"

#include <system_error>

namespace korvan {

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return program.parent_path();
}

}  // namespace korvan
