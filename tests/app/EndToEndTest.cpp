// The whole program against a scripted simulator on loopback, with the
// virtual LCD recording every frame and taking its buttons from a file:
// whole frames are compared with the goldens under tests/golden/.

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/system/UdpSocket.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Loopback.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;
using testing::BuildDir;
using testing::ChildProcess;
using testing::TempDir;

constexpr char kFastAnswer[] = "A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n";
constexpr char kSlowAnswer[] =
    "A/20\\10.5/164\\1/172\\0/174\\1/214\\0/216\\0/82\\-0.6/94\\-12.5/96\\3.25/98\\271.5/"
    "22\\Bf-109G-2\n";

// Answers every request with the same two answers until stopped.
class ScriptedSimulator {
 public:
  explicit ScriptedSimulator(UdpSocket socket) : socket_(std::move(socket)) {
    thread_ = std::thread([this] { Serve(); });
  }
  ~ScriptedSimulator() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Serve() {
    char request[512];
    while (!stop_) {
      if (!socket_.WaitReadable(20)) continue;
      const ReceiveResult got = socket_.Receive(request);
      if (got.status != ReceiveStatus::kReceived) continue;
      const std::string_view text(request, got.size);
      const std::string_view answer = text.starts_with("R/30") ? kFastAnswer : kSlowAnswer;
      socket_.SendTo(got.sender, answer);
    }
  }

  UdpSocket socket_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string address = testing::ProcessLoopbackAddress(9);
    std::string error;
    auto socket = testing::BoundSocket(address, 6060, error);
    if (!socket) GTEST_SKIP() << address << ":6060 is taken: " << error;
    simulator_.emplace(std::move(*socket));
    folder_.Write("LCD_Korvan.ini", "[DCS]\nPort=6060\nIP=" + address +
                                        "\nSleep=20\nCountdown=90\nAltitude=1000\nSpeed=300\n");
    fs::copy(fs::path(KORVAN_SOURCE_DIR) / "assets" / "images", folder_.path() / "images",
             fs::copy_options::recursive);
    fs::create_directory(frames_);
    SetButtons(0);
    korvan_.emplace(
        BuildDir() / "korvan", std::vector<std::string>{}, folder_.path(),
        std::vector<std::string>{"LCD_VIRTUAL_HTTP=off", "LCD_VIRTUAL_RECORD=" + frames_.string(),
                                 "LCD_VIRTUAL_BUTTONS=" + buttons_.string()});
  }

  void TearDown() override {
    if (!korvan_) return;
    korvan_->Signal(SIGTERM);
    EXPECT_EQ(korvan_->WaitForExit(5000), 0) << korvan_->Stderr();
  }

  void SetButtons(unsigned mask) {
    const fs::path next = buttons_.string() + ".new";
    std::ofstream(next) << mask << "\n";
    fs::rename(next, buttons_);  // the plug-in never reads half a file
  }

  std::size_t FrameCount() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(frames_), fs::directory_iterator()));
  }

  // Waits until `more` further frames have been recorded.
  void WaitFrames(std::size_t more) {
    const std::size_t target = FrameCount() + more;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (FrameCount() < target) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "frames stopped coming";
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  // The newest frame that is certainly complete: the one before the newest.
  std::string LatestFrameArt() const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(frames_)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::ifstream in(files.at(files.size() - 2), std::ios::binary);
    const std::string pgm((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string header = "P5\n160 43\n255\n";
    EXPECT_EQ(pgm.substr(0, header.size()), header);
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(pgm.data() + header.size());
    return testing::FrameToArt(pixels, 160, 43, 160);
  }

  void Click(unsigned mask) {
    SetButtons(mask);
    WaitFrames(3);
    SetButtons(0);
    WaitFrames(4);
  }

  TempDir folder_;
  fs::path frames_ = folder_.path() / "frames";
  fs::path buttons_ = folder_.path() / "buttons";
  std::optional<ScriptedSimulator> simulator_;
  std::optional<ChildProcess> korvan_;
};

TEST_F(EndToEnd, PagesFollowTheSimulatorAndTheSoftButtons) {
  WaitFrames(10);
  EXPECT_TRUE(testing::MatchesGolden("app-main-metric", LatestFrameArt()));

  Click(1);  // button 0: next unit mode
  EXPECT_TRUE(testing::MatchesGolden("app-main-knots", LatestFrameArt()));

  Click(2);  // button 1: the status page with the me109 set
  EXPECT_TRUE(testing::MatchesGolden("app-status-me109", LatestFrameArt()));

  Click(4);  // button 2: the calculator, in knots, taking input
  const std::string calculator = LatestFrameArt();
  EXPECT_TRUE(testing::MatchesGolden("app-calculator-knots", calculator));

  SetButtons(2);  // button 1 held: the speed climbs every cycle
  WaitFrames(6);
  const std::string climbing = LatestFrameArt();
  WaitFrames(3);
  EXPECT_NE(LatestFrameArt(), climbing);
  SetButtons(0);
  WaitFrames(4);
  const std::string released = LatestFrameArt();
  EXPECT_NE(released, calculator);
  WaitFrames(3);
  EXPECT_EQ(LatestFrameArt(), released);  // and stays where it was let go
}

}  // namespace
}  // namespace korvan
