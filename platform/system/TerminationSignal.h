#pragma once

#include <atomic>

namespace korvan {

// Installs handlers for SIGINT, SIGTERM and SIGHUP (the terminal closed) and
// returns the flag they raise. A SIGHUP that was ignored at start (nohup)
// stays ignored. The handlers interrupt sleeps (no SA_RESTART) so a long
// pause ends at once.
const std::atomic<bool>& InstallTerminationHandlers();

}  // namespace korvan
