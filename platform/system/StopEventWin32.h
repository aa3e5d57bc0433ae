#pragma once

namespace korvan {

// The event a stop request sets (the console handler, or the per-session
// stop event another process sets), as a HANDLE; null until
// InstallTerminationHandlers ran. SystemClock waits on it so a pause ends at
// once, the way a signal ends nanosleep on Linux.
void* StopWakeEvent();

}  // namespace korvan
