#include <utility>

#include "platform/system/QuietThread.h"

namespace korvan {

// Windows delivers no signals to threads, and a write to a closed socket
// fails without one: a plain thread is already quiet.
std::thread StartQuietThread(std::function<void()> body) {
  return std::thread(std::move(body));
}

}  // namespace korvan
