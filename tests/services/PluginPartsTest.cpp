// The parts of the virtual LCD service that need no running service; the
// counting of faults and the recorder's files are checked through the
// loaded service in VirtualLcdTest.

#include <gtest/gtest.h>

#include <string>

#include "services/virtual-lcd/ButtonScript.h"
#include "services/virtual-lcd/FaultPlan.h"
#include "services/virtual-lcd/FrameBoard.h"
#include "services/virtual-lcd/FrameJson.h"
#include "services/virtual-lcd/FrameRecorder.h"
#include "services/virtual-lcd/TerminalView.h"
#include "tests/services/VirtualLcdEnvironment.h"
#include "tests/support/TempDir.h"

namespace korvan::virtual_lcd {
namespace {

using korvan::testing::FrameBlock;
using korvan::testing::TempDir;

const std::uint8_t* Pixels(const std::string& frame) {
  return reinterpret_cast<const std::uint8_t*>(frame.data()) + LCD_FRAME_HEADER_BYTES;
}

TEST(FaultPlan, UnreadableItemsAreNamedAndTheRestStillCounts) {
  std::string problems;
  FaultPlan plan =
      FaultPlan::Parse("push=0:31,push=2,startup=0,query259=-1,,bogus=1,push1167=1", &problems);
  EXPECT_EQ(problems, "push=0:31, push=2, startup=0, query259=-1, bogus=1");
  EXPECT_EQ(plan.OnStartup(), 0);
  EXPECT_EQ(plan.OnQuery(), 0);
  EXPECT_EQ(plan.OnPush(), 1167);
}

TEST(ButtonScript, ReadsTheDecimalMaskAndFallsBackToNone) {
  TempDir folder;
  EXPECT_EQ(ReadButtonScript(folder.Write("held", "8\n").string()), 8u);
  EXPECT_EQ(ReadButtonScript(folder.Write("spaced", "  5 ").string()), 5u);
  EXPECT_EQ(ReadButtonScript(folder.Write("wide", "255").string()), 15u);  // four buttons only
  EXPECT_EQ(ReadButtonScript(folder.Write("empty", "").string()), 0u);
  EXPECT_EQ(ReadButtonScript(folder.Write("words", "eight").string()), 0u);
  EXPECT_EQ(ReadButtonScript((folder.path() / "missing").string()), 0u);
  EXPECT_EQ(ReadButtonScript(folder.path().string()), 0u);  // a folder cannot be read
}

TEST(FrameRecorder, StopsWithOneMessageWhenItCannotWrite) {
  TempDir folder;
  const auto blocker = folder.Write("file", "");  // a file where the folder should be
  FrameRecorder recorder(blocker / "frames", 10);
  const std::string frame = FrameBlock([](int) { return 0; });
  ::testing::internal::CaptureStderr();
  recorder.Record(Pixels(frame));
  recorder.Record(Pixels(frame));
  const std::string message = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(recorder.Written(), 0);
  EXPECT_NE(message.find("frame-000001.pgm"), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
}

TEST(TerminalView, DrawsQuadrantsAndOnlyWhenWhatIsLitChanges) {
  TerminalView view(false);
  // Upper-left and lower-right pixel of the first cell; the bottom row
  // (pixel row 42) lit along its whole length.
  const auto pattern = [](int bright) {
    return FrameBlock([bright](int i) {
      const int x = i % LCD_FRAME_WIDTH;
      const int y = i / LCD_FRAME_WIDTH;
      const bool lit = (x == 0 && y == 0) || (x == 1 && y == 1) || y == 42;
      return lit ? bright : 100;
    });
  };
  const auto text = view.Draw(Pixels(pattern(255)));
  ASSERT_TRUE(text);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < text->size(); at = end + 1) {
    end = text->find('\n', at);
    lines.push_back(text->substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[0].substr(0, 4), "\u259A ");  // upper left + lower right
  std::string bottom;
  for (int i = 0; i < 80; ++i) bottom += "\u2580";  // the row beyond the frame stays dark
  EXPECT_EQ(lines[21], bottom);
  // The same lit pixels with other dark and bright values: nothing to redraw.
  EXPECT_FALSE(view.Draw(Pixels(pattern(200))));
  // One pixel changes: drawn again.
  std::string changed = pattern(255);
  changed[LCD_FRAME_HEADER_BYTES + 5 * LCD_FRAME_WIDTH + 7] = static_cast<char>(255);
  EXPECT_TRUE(view.Draw(Pixels(changed)));
  EXPECT_FALSE(view.Draw(Pixels(changed)));
}

TEST(TerminalView, OnATerminalMovesBackOverThePreviousDrawing) {
  TerminalView view(true);
  const std::string dark = FrameBlock([](int) { return 0; });
  const std::string bright = FrameBlock([](int) { return 255; });
  EXPECT_EQ(view.Draw(Pixels(dark))->rfind("\x1b[", 0), std::string::npos);
  EXPECT_EQ(view.Draw(Pixels(bright))->rfind("\x1b[22A\r", 0), 0u);
}

TEST(FrameBoard, AClickShorterThanAPollIsReadOnce) {
  FrameBoard board;
  board.SetPanelButtons(8);
  board.SetPanelButtons(0);
  EXPECT_EQ(board.TakePanelButtons(), 8u);
  EXPECT_EQ(board.TakePanelButtons(), 0u);
  board.SetPanelButtons(3);
  EXPECT_EQ(board.TakePanelButtons(), 3u);
  EXPECT_EQ(board.TakePanelButtons(), 3u);  // still held
}

TEST(FrameJson, PacksLitPixelsHighBitFirst) {
  FrameSnapshot snapshot;
  snapshot.sequence = 7;
  snapshot.connected = true;
  snapshot.lastResult = 1167;
  snapshot.pixels[0] = 255;
  snapshot.pixels[9] = 129;
  snapshot.pixels[10] = 128;  // not above 128: dark
  const std::string json = FrameJson(snapshot, true);
  EXPECT_EQ(json.rfind("{\"seq\":7,\"connected\":true,\"result\":1167,\"pixels\":\"8040", 0), 0u);
  EXPECT_EQ(
      json.size(),
      std::string("{\"seq\":7,\"connected\":true,\"result\":1167,\"pixels\":\"\"}").size() + 1720);
  EXPECT_EQ(FrameJson(snapshot, false), "{\"seq\":7,\"connected\":true,\"result\":1167}");
}

}  // namespace
}  // namespace korvan::virtual_lcd
