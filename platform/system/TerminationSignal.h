#pragma once

#include <atomic>

namespace korvan {

// Installs handlers for SIGINT and SIGTERM and returns the flag they raise.
// The handlers interrupt sleeps (no SA_RESTART) so a long pause ends at once.
const std::atomic<bool>& InstallTerminationHandlers();

}  // namespace korvan
