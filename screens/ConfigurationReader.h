#pragma once

#include <cstdio>

#include "screens/Configuration.h"

namespace korvan {

enum class ConfigurationStatus {
  kLoaded,      // every line passed
  kCannotOpen,  // the file could not be opened: exit code 1
  kInvalid,     // a line failed its check: exit code -1
};

struct ConfigurationOutcome {
  ConfigurationStatus status = ConfigurationStatus::kLoaded;
  // The exact text to write to standard output (line end included), or
  // empty when loaded.
  const char* message = "";
};

// Reads and checks the seven fixed lines from an open file. Fields stored
// before a failing line keep their values.
ConfigurationOutcome ReadConfiguration(std::FILE* file, Configuration& configuration);

// Opens `path` and reads it; the file is closed again in every case.
ConfigurationOutcome LoadConfiguration(const char* path, Configuration& configuration);

}  // namespace korvan
