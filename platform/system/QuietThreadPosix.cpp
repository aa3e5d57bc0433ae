#include "platform/system/QuietThread.h"

#include <signal.h>

#include <utility>

namespace korvan {

std::thread StartQuietThread(std::function<void()> body) {
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  std::thread thread(std::move(body));
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return thread;
}

}  // namespace korvan
