// The virtual LCD's files: the button file it reads and the frames it records.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "services/virtual-lcd/ButtonScript.h"
#include "services/virtual-lcd/FrameRecorder.h"
#include "tests/support/TempDir.h"

namespace korvan::virtual_lcd {
namespace {

namespace fs = std::filesystem;

// Whatever the file is, reads answer at once: a FIFO (a named pipe on
// Windows) with no writer or a folder counts as 0 and is said once; a
// missing file is quietly 0.
TEST(VirtualLcdFiles, ButtonReadsNeverWait) {
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
    EXPECT_EQ(script.Read() | script.Read(), 0u) << path;
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), said) << errors;
  }
#ifdef _WIN32
  CloseHandle(pipe);
#else
  alarm(0);
#endif
}

// A watcher of the folder only ever sees a frame file appear by a rename,
// whole; a failed rename leaves no temporary file and stops the recording.
TEST(VirtualLcdFiles, FramesAppearWholeByRename) {
  korvan::testing::TempDir folder;
  fs::create_directory(folder.path() / "frame-000003.pgm");  // no file can replace it
#ifndef _WIN32
  const int watch = inotify_init1(IN_NONBLOCK);
  inotify_add_watch(watch, folder.path().c_str(), IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO);
#endif
  FrameRecorder recorder(folder.path(), 10);
  const std::vector<std::uint8_t> pixels(160 * 43, 7);
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 4; ++i) recorder.Record(pixels.data());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "lcd-virtual: cannot write " + (folder.path() / "frame-000003.pgm").string() +
                "; recording stops\n");
#ifdef _WIN32
  std::puts("Not checked here: how the frames appeared (the watch is Linux's inotify).");
#else
  alignas(inotify_event) char events[8192];
  std::string seen;
  for (ssize_t at = 0, length = read(watch, events, sizeof events); at < length;) {
    const auto* event = reinterpret_cast<const inotify_event*>(events + at);
    at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    if (std::string_view(event->name).starts_with("frame-"))
      seen += std::string(event->name) + (event->mask == IN_MOVED_TO ? " renamed\n" : " written\n");
  }
  close(watch);
  EXPECT_EQ(seen, "frame-000001.pgm renamed\nframe-000002.pgm renamed\n");
#endif
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 3);  // no temporary left
  EXPECT_EQ(fs::file_size(folder.path() / "frame-000002.pgm"), 14u + 160 * 43);
}

}  // namespace
}  // namespace korvan::virtual_lcd
