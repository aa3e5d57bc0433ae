// The built program in a folder of its own: against a scripted simulator on
// loopback, with the virtual LCD recording every frame and taking its
// buttons from a file, whole frames are compared with the goldens; and how
// it fails to start and how it stops.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/SimulatorAnswers.h"
#include "platform/system/UdpSocket.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::MatchesGolden;
using testing::TempDir;

// A peer on port 6060, where the program polls, at an address of 127/8 (all
// loopback) of this test process's own, so tests running at once never meet.
std::optional<UdpSocket> Peer(int lastOctet, std::string& address) {
  const unsigned id = static_cast<unsigned>(getpid());
  address = "127." + std::to_string(10 + id % 200) + "." + std::to_string((id / 200) % 250) + "." +
            std::to_string(lastOctet);
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error);
  if (!socket || !socket->Bind({*ParseIpv4Address(address.c_str()), 6060}, error)) return {};
  return socket;
}

std::string Settings(const std::string& address, int sleepMs) {
  return "[DCS]\nPort=6060\nIP=" + address + "\nSleep=" + std::to_string(sleepMs) +
         "\nCountdown=90\nAltitude=1000\nSpeed=300\n";
}

constexpr char kFastAnswer[] = "A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n";
constexpr char kSlowAnswer[] =
    "A/20\\10.5/164\\1/172\\0/174\\1/214\\0/216\\0/82\\-0.6/94\\-12.5/96\\3.25/98\\271.5/"
    "22\\Bf-109G-2\n";

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string address;
    simulator_ = Peer(9, address);
    if (!simulator_) GTEST_SKIP() << "port 6060 is taken on " << address;
    simulatorThread_ = std::thread([this] { Simulate(); });
    folder_.Write("LCD_Korvan.ini", Settings(address, 20));
    fs::copy(fs::path(KORVAN_SOURCE_DIR) / "assets" / "images", folder_.path() / "images",
             fs::copy_options::recursive);
    fs::create_directory(frames_);
    SetButtons(0);
    // The web panel stays off so tests never contend for its port.
    korvan_.emplace(
        KORVAN_PROGRAM, folder_.path(),
        std::vector<std::string>{"LCD_VIRTUAL_HTTP=off", "LCD_VIRTUAL_RECORD=" + frames_.string(),
                                 "LCD_VIRTUAL_BUTTONS=" + buttons_.string()});
  }

  void TearDown() override {
    if (korvan_) {
      korvan_->Signal(SIGINT);
      EXPECT_EQ(korvan_->WaitForExit(5000), 0) << korvan_->Output("stderr");
    }
    stop_ = true;
    if (simulatorThread_.joinable()) simulatorThread_.join();
    EXPECT_EQ(outOfTurn_, 0);
  }

  // Answers the two requests, which must come in turn, always alike.
  void Simulate() {
    char request[512];
    for (bool fast = true; !stop_;) {
      if (!simulator_->WaitReadable(20)) continue;
      const ReceiveResult got = simulator_->Receive(request);
      if (std::string_view(request, got.size) != (fast ? kFastRequest : kSlowRequest)) ++outOfTurn_;
      simulator_->SendTo(got.sender, std::string_view(fast ? kFastAnswer : kSlowAnswer));
      fast = !fast;
    }
  }

  void SetButtons(unsigned mask) {
    std::ofstream(buttons_.string() + ".new") << mask << "\n";
    fs::rename(buttons_.string() + ".new", buttons_);  // the plug-in never reads half a file
  }

  // Waits for `more` further frames; returns the newest certainly complete
  // one (the one before the newest) as art.
  std::string WaitFrames(int more) {
    const auto count = [this] { return std::distance(fs::directory_iterator(frames_), {}); };
    const auto target = count() + more;
    for (int waited = 0; count() < target; waited += 10) {
      if (waited > 10000) return "no more frames";
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06d.pgm", static_cast<int>(count() - 1));
    std::stringstream pgm;
    pgm << std::ifstream(frames_ / name, std::ios::binary).rdbuf();
    const std::string header = "P5\n160 43\n255\n", frame = pgm.str();
    if (frame.size() != header.size() + 160 * 43 || !frame.starts_with(header)) return name;
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(&frame[header.size()]);
    return testing::FrameToArt(pixels, 160, 43, 160);
  }

  // A press and release of the buttons in `mask`, then the page they led to.
  std::string Click(unsigned mask) {
    SetButtons(mask);
    WaitFrames(3);
    SetButtons(0);
    return WaitFrames(4);
  }

  TempDir folder_;
  fs::path frames_ = folder_.path() / "frames";
  fs::path buttons_ = folder_.path() / "buttons";
  std::optional<UdpSocket> simulator_;
  std::thread simulatorThread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> outOfTurn_{0};
  std::optional<ChildProcess> korvan_;
};

TEST_F(EndToEnd, PagesFollowTheSimulatorAndTheSoftButtons) {
  EXPECT_TRUE(MatchesGolden("app-main-metric", WaitFrames(10)));
  EXPECT_TRUE(MatchesGolden("app-main-knots", Click(1)));  // button 0: the next unit mode
  EXPECT_TRUE(MatchesGolden("app-main-mph", Click(1)));
  EXPECT_TRUE(MatchesGolden("app-main-airspeeds", Click(1)));  // true airspeed, bomb sight
  EXPECT_TRUE(MatchesGolden("app-status-me109", Click(2)));    // button 1: the status page
  // Button 2: the calculator, idle after the last unit mode, then taking input.
  EXPECT_TRUE(MatchesGolden("app-calculator-idle", Click(4)));
  EXPECT_TRUE(MatchesGolden("app-calculator-metric", Click(4)));
  EXPECT_TRUE(MatchesGolden("app-calculator-knots", Click(4)));
  SetButtons(2);  // button 1 held: the speed climbs every cycle
  const std::string climbing = WaitFrames(4);
  EXPECT_NE(WaitFrames(2), climbing);
}

TEST(Program, ConfigurationFailuresPrintTheMessageAndExitWithTheirCode) {
  const std::tuple<const char*, int, const char*> rows[] = {
      {nullptr, 1, "Je ne peux ouvrir le fichier config.ini\n"},  // no file at all
      {"[DCS]\nPort=65536\n", 255, "Port non valide\n"},
      {"", 255, "Mauvais confi.ini\n"}};
  for (const auto& [file, exitCode, message] : rows) {
    TempDir folder;
    if (file != nullptr) folder.Write("LCD_Korvan.ini", file);
    ChildProcess korvan(KORVAN_PROGRAM, folder.path(), {"LCD_VIRTUAL_HTTP=off"});
    EXPECT_EQ(korvan.WaitForExit(5000), exitCode) << message;
    EXPECT_EQ(korvan.Output("stdout"), message);
  }
}

TEST(Program, RunsOnWithoutAnLcdServiceAndAStopEndsEvenALongPause) {
  std::string address;
  auto peer = Peer(7, address);
  if (!peer) GTEST_SKIP() << "port 6060 is taken on " << address;
  TempDir folder;
  folder.Write("LCD_Korvan.ini", Settings(address, 60000));
  ChildProcess korvan(KORVAN_PROGRAM, folder.path(), {"KORVAN_LCD_SERVICE=/nonexistent/lcd.so"});
  char request[512];
  for (const char* expected : {kFastRequest, kSlowRequest}) {
    ASSERT_TRUE(peer->WaitReadable(3000));
    EXPECT_EQ(std::string_view(request, peer->Receive(request).size), expected);
  }
  EXPECT_FALSE(peer->WaitReadable(200));  // now in its 60 s pause
  korvan.Signal(SIGTERM);
  EXPECT_EQ(korvan.WaitForExit(2000), 0);
  EXPECT_NE(korvan.Output("stderr").find("/nonexistent/lcd.so"), std::string::npos);
  EXPECT_EQ(korvan.Output("stdout"), "");
}

}  // namespace
}  // namespace korvan
