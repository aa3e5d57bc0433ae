#pragma once

#include <filesystem>

namespace korvan {

// The folder of the running program's file, empty when it cannot be told.
std::filesystem::path ProgramFolder();

}  // namespace korvan
