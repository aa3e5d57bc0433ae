// The soft buttons read from a file.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "services/virtual-lcd/ButtonScript.h"
#include "tests/support/TempDir.h"

namespace korvan::virtual_lcd {
namespace {

namespace fs = std::filesystem;

// Whatever the file is, reads answer at once: a FIFO (a named pipe on
// Windows) with no writer or a folder counts as 0 and is said once; a
// missing file is quietly 0.
TEST(ButtonScript, ReadsNeverWait) {
  korvan::testing::TempDir folder;
#ifdef _WIN32
  const fs::path fifo = "\\\\.\\pipe\\" + folder.path().filename().string();
  const HANDLE pipe =
      CreateNamedPipeW(fifo.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
#else
  const fs::path fifo = folder.path() / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  alarm(5);  // a read that waits for a writer ends the test
#endif
  // The file, the lines said on standard error.
  const std::pair<fs::path, long> rows[] = {
      {fifo, 1}, {folder.path(), 1}, {folder.path() / "none", 0}};
  for (const auto& [path, said] : rows) {
    ButtonScript script(path.string());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(script.Read(), 0u) << path;
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), said) << errors;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(script.Read(), 0u) << path;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << path;  // said once
  }
#ifdef _WIN32
  CloseHandle(pipe);
#else
  alarm(0);
#endif
}

}  // namespace
}  // namespace korvan::virtual_lcd
