#include "tests/support/ChildProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace korvan::testing {

// The shell sets up, then becomes the program, which so keeps the process id we signal.
ChildProcess::ChildProcess(const std::string& program, const std::filesystem::path& folder,
                           const std::vector<std::string>& environment)
    : folder_(folder) {
  std::string command = "cd '" + folder.string() + "' && exec env";
  for (const std::string& entry : environment) command += " '" + entry + "'";
  command += " '" + program + "' >stdout 2>stderr";
  const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
  if (posix_spawn(&pid_, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    throw std::runtime_error("cannot start " + program);
  }
}

ChildProcess::~ChildProcess() {
  Signal(SIGKILL);
  if (!reaped_) waitpid(pid_, nullptr, 0);
}

std::optional<int> ChildProcess::WaitForExit(int timeoutMs) {
  int status = 0;
  for (int waited = 0; waitpid(pid_, &status, WNOHANG) != pid_; waited += 5) {
    if (waited >= timeoutMs) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  reaped_ = true;
  return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
}

}  // namespace korvan::testing
