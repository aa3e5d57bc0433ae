#include "platform/system/TerminationSignal.h"

#include <csignal>

namespace korvan {
namespace {

// A signal handler can only reach process-wide state.
std::atomic<bool> terminationRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "needed in a signal handler");

void OnTerminationSignal(int) {
  terminationRequested.store(true);
}

}  // namespace

StopRequest RequestRunningProgramsStop() {
  return StopRequest::kUnsupported;
}

const std::atomic<bool>& InstallTerminationHandlers() {
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // Started under nohup, the person asked it to outlive the terminal.
  struct sigaction hangUp {};
  if (sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler != SIG_IGN) {
    sigaction(SIGHUP, &action, nullptr);
  }
  return terminationRequested;
}

}  // namespace korvan
