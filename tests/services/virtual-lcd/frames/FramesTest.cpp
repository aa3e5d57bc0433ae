// The frame board's buttons, the terminal view, and the frame files the recorder writes.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include "services/virtual-lcd/frames/FrameBoard.h"
#include "services/virtual-lcd/frames/FrameJson.h"
#include "services/virtual-lcd/frames/FrameRecorder.h"
#include "services/virtual-lcd/frames/FrameWorker.h"
#include "services/virtual-lcd/frames/TerminalView.h"
#include "tests/support/TempDir.h"

namespace korvan::virtual_lcd {
namespace {

namespace fs = std::filesystem;

// A panel click shorter than a poll is read once, only four buttons pass, the
// status goes with the frame; the terminal draws quarters, only on a change.
TEST(Frames, BoardButtonsAndTerminalView) {
  FrameBoard board;
  board.SetPanelButtons(0x18);  // button 3 and a fifth, which is none
  board.SetPanelButtons(0);
  EXPECT_EQ(board.TakePanelButtons(), 8u);
  EXPECT_EQ(board.TakePanelButtons(), 0u);
  board.SetPanelButtons(3);
  EXPECT_EQ(board.TakePanelButtons() & board.TakePanelButtons(), 3u);  // read while held
  board.SetConnected(true);
  board.SetLastResult(31);
  EXPECT_EQ(FrameJson(board.Latest(), false), "{\"seq\":0,\"connected\":true,\"result\":31}");
  TerminalView view(true);
  const auto draw = [&view](int lit) {  // cell q of the top row with quarter q lit: UL UR LL LR
    Pixels frame;
    frame.fill(100);
    for (const int i : {0, 3, 164, 167}) frame[i] = static_cast<std::uint8_t>(lit);
    return view.Draw(frame.data());
  };
  EXPECT_EQ(draw(255)->substr(0, 13), "\u2598\u259D\u2596\u2597 ");
  EXPECT_FALSE(draw(200));  // the same pixels lit
  std::string blank;
  for (int row = 0; row < TerminalView::kRows; ++row) blank += std::string(80, ' ') + "\n";
  EXPECT_EQ(*draw(0), "\x1b[22A\r" + blank);  // over the last drawing, each of its cells
  // The worker draws and records the frames in the order they came, however
  // many wait for it (three here, while it writes the first).
  korvan::testing::TempDir folder;
  std::FILE* terminal = std::tmpfile();
  FrameWorker worker(FrameRecorder(folder.path(), 3), TerminalView(false), terminal);
  for (const std::uint8_t value : {1, 2, 3}) worker.Enqueue(Pixels{value}.data());
  worker.Finish();
  EXPECT_EQ(std::ftell(terminal), static_cast<long>(blank.size()));  // alike: drawn once
  std::fclose(terminal);
  for (const char value : {'\1', '\2', '\3'}) {
    const fs::path file = folder.path() / ("frame-00000" + std::to_string(value) + ".pgm");
    EXPECT_EQ(korvan::testing::ReadFile(file).at(14), value);  // pixel 0
  }
}

// Seen by a watcher of the folder; a failed rename leaves no file and stops it.
TEST(Frames, FilesAppearWholeByRename) {
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
