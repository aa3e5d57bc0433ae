// The virtual LCD's files: the button file it reads and the frames it records.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>

#include "services/virtual-lcd/ButtonScript.h"
#include "services/virtual-lcd/FrameRecorder.h"
#include "tests/support/TempDir.h"

namespace korvan::virtual_lcd {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Whatever the file is, reads answer at once: a FIFO with no writer or a
// folder counts as 0 and is said once; a missing file is quietly 0.
TEST(VirtualLcdFiles, ButtonReadsNeverWait) {
  korvan::testing::TempDir folder;
  const fs::path fifo = folder.path() / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::tuple<fs::path, std::uint32_t, int> rows[] = {{folder.Write("buttons", "6\n"), 6, 0},
                                                           {fifo, 0, 1},
                                                           {folder.path(), 0, 1},
                                                           {folder.path() / "none", 0, 0}};
  for (const auto& [path, mask, said] : rows) {
    ButtonScript script(path);
    ::testing::internal::CaptureStderr();
    auto reads = std::async(std::launch::async, [&] { return script.Read() | script.Read(); });
    const bool answered = reads.wait_for(5s) == std::future_status::ready;
    while (reads.wait_for(10ms) != std::future_status::ready)  // a stuck open let go
      close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(answered) << path;
    EXPECT_EQ(reads.get(), mask) << path;
    EXPECT_EQ(errors.empty() ? 0 : std::count(errors.begin(), errors.end(), '\n'), said) << errors;
  }
}

// A watcher of the folder only ever sees a frame file appear by a rename,
// whole; a failed rename leaves no temporary file and stops the recording.
TEST(VirtualLcdFiles, FramesAppearWhole) {
  korvan::testing::TempDir folder;
  fs::create_directory(folder.path() / "frame-000003.pgm");  // cannot be replaced by a file
  const int watch = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(inotify_add_watch(watch, folder.path().c_str(),
                              IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO),
            0);
  FrameRecorder recorder(folder.path(), 10);
  const std::vector<std::uint8_t> pixels(160 * 43, 7);
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 4; ++i) recorder.Record(pixels.data());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "lcd-virtual: cannot write " + (folder.path() / "frame-000003.pgm").string() +
                "; recording stops\n");
  EXPECT_EQ(recorder.Written(), 2);
  alignas(inotify_event) char events[8192];
  const ssize_t length = read(watch, events, sizeof events);
  close(watch);
  int appeared = 0;
  for (ssize_t at = 0; at < length;) {
    const auto* event = reinterpret_cast<const inotify_event*>(events + at);
    at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    if (std::string_view(event->name).starts_with("frame-")) {
      EXPECT_EQ(event->mask, IN_MOVED_TO) << event->name;
      ++appeared;
    }
  }
  EXPECT_EQ(appeared, 2);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder.path()))
    left.push_back(entry.path().filename().string() + " " +
                   std::to_string(entry.is_regular_file() ? entry.file_size() : 0));
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"frame-000001.pgm 6894", "frame-000002.pgm 6894",
                                            "frame-000003.pgm 0"}));
}

}  // namespace
}  // namespace korvan::virtual_lcd
