#pragma once

#include <signal.h>
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvan::testing {

// A program run in a folder with `environment` entries ("NAME=value") added
// to the test's own, its output captured to the files stdout and stderr
// there; killed if still running at destruction.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::filesystem::path& folder,
               const std::vector<std::string>& environment = {});
  ~ChildProcess();

  void Signal(int signal) const { kill(pid_, signal); }
  // The exit code, or nothing if it did not exit within the time (or died by a signal).
  std::optional<int> WaitForExit(int timeoutMs);
  std::string Output(const char* file) const;

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  std::filesystem::path folder_;
};

}  // namespace korvan::testing
