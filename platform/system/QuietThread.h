#pragma once

#include <functional>
#include <thread>

namespace korvan {

// A thread with every signal blocked, as are the threads it starts (for a
// plug-in's threads): the program's signal handlers keep running on the
// program's own thread, and a write to a closed socket or pipe fails
// instead of raising SIGPIPE.
std::thread StartQuietThread(std::function<void()> body);

}  // namespace korvan
