#pragma once

#include <filesystem>

namespace korvan {

// The folder of the running program's file, empty when it cannot be told;
// in the system's wide form on Windows (see NativePath.h).
std::filesystem::path ProgramFolder();

}  // namespace korvan
