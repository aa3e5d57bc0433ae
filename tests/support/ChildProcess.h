#pragma once

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace korvan::testing {

// A program run in a folder, `environment` ("NAME=value") added to the test's own, its
// output in the files stdout and stderr there; killed if still running at the end.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::filesystem::path& folder,
               const std::vector<std::string>& environment = {});
  ~ChildProcess();

  void Signal(int signal) const {
    if (!reaped_) kill(pid_, signal);
  }
  // The exit code, or nothing if it did not exit within the time (or died by a signal).
  std::optional<int> WaitForExit(int timeoutMs);
  std::string Output(const char* file) const {
    std::stringstream text;
    text << std::ifstream(folder_ / file, std::ios::binary).rdbuf();
    return text.str();
  }

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  std::filesystem::path folder_;
};

}  // namespace korvan::testing
