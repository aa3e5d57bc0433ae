#pragma once

#include <atomic>
#include <string>

namespace korvan {

// Installs the stop handlers and returns the flag they raise; a stop ends the
// pause SystemClock is in at once. Linux: SIGINT, SIGTERM and SIGHUP (the
// terminal closed), without SA_RESTART so they cut nanosleep short; a
// SIGHUP ignored at start (nohup) stays ignored.
// Windows: the console's Ctrl-C, Ctrl-Break and close, and the per-session
// stop event another process sets.
// A stop asked before the program started is not for it: on Windows a
// stop event found set is cleared.
const std::atomic<bool>& InstallTerminationHandlers();

enum class StopRequest { kSent, kNoneRunning, kUnsupported };
// Asks the programs of this user session that installed the handlers to
// stop (Windows: sets the per-session stop event); kNoneRunning when none
// has. Linux has no such request: stop it with a signal.
StopRequest RequestRunningProgramsStop();

}  // namespace korvan
