#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvan::testing {

// Where CTest says the programs under test are.
std::filesystem::path BuildDir();

// A program run in a given folder with its standard output and error
// captured to files there; killed if still running at destruction.
class ChildProcess {
 public:
  // `environment` entries ("NAME=value") are set on top of the test's own.
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& workingDir,
               const std::vector<std::string>& environment = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Signal(int signal) const;
  // The exit code, or nothing if it did not exit within the time (or died by a signal).
  std::optional<int> WaitForExit(int timeoutMs);
  std::string Stdout() const;
  std::string Stderr() const;

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  std::filesystem::path outPath_;
  std::filesystem::path errPath_;
};

}  // namespace korvan::testing
