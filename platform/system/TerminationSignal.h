#pragma once

#include <atomic>

namespace korvan {

// Installs the stop handlers and returns the flag they raise; a stop ends the
// pause SystemClock is in at once. Linux: SIGINT, SIGTERM and SIGHUP (the
// terminal closed), without SA_RESTART so they cut nanosleep short; a
// SIGHUP ignored at start (nohup) stays ignored.
// Windows: the console's Ctrl-C, Ctrl-Break and close, and the per-session
// stop event another process sets.
const std::atomic<bool>& InstallTerminationHandlers();

}  // namespace korvan
