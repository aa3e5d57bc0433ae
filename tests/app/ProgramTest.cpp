// Runs the built program in a folder of its own, against a UDP peer on a
// loopback address of its own (all of 127/8 is loopback), port 6060.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/system/UdpSocket.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Loopback.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

using testing::BuildDir;
using testing::ChildProcess;
using testing::TempDir;

// The virtual LCD's web panel stays off so tests never contend for its port.
const std::vector<std::string> kQuietLcd = {"LCD_VIRTUAL_HTTP=off"};

std::string ConfigurationFor(const std::string& address, int sleepMs) {
  return "[DCS]\nPort=6060\nIP=" + address + "\nSleep=" + std::to_string(sleepMs) +
         "\nCountdown=30\nAltitude=1000\nSpeed=400\n";
}

TEST(Program, ConfigurationFailuresPrintTheMessageAndExitWithTheirCode) {
  {
    TempDir folder;  // no file at all
    ChildProcess korvan(BuildDir() / "korvan", {}, folder.path(), kQuietLcd);
    EXPECT_EQ(korvan.WaitForExit(5000), 1);
    EXPECT_EQ(korvan.Stdout(), "Je ne peux ouvrir le fichier config.ini\n");
  }
  {
    TempDir folder;
    folder.Write("LCD_Korvan.ini", "[DCS]\nPort=65536\n");
    ChildProcess korvan(BuildDir() / "korvan", {}, folder.path(), kQuietLcd);
    EXPECT_EQ(korvan.WaitForExit(5000), 255);
    EXPECT_EQ(korvan.Stdout(), "Port non valide\n");
  }
}

class ProgramAgainstPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    address_ = testing::ProcessLoopbackAddress(7);
    std::string error;
    peer_ = testing::BoundSocket(address_, 6060, error);
    if (!peer_) GTEST_SKIP() << address_ << ":6060 is taken: " << error;
  }

  std::optional<std::string> NextRequest(int timeoutMs) {
    return testing::ReceiveText(*peer_, timeoutMs);
  }

  std::string address_;
  std::optional<UdpSocket> peer_;
  TempDir folder_;
};

TEST_F(ProgramAgainstPeer, SendsTheTwoRequestsInTurnEveryCycle) {
  folder_.Write("LCD_Korvan.ini", ConfigurationFor(address_, 20));
  ChildProcess korvan(BuildDir() / "korvan", {}, folder_.path(), kQuietLcd);
  for (int cycle = 0; cycle < 4; ++cycle) {
    EXPECT_EQ(NextRequest(3000), "R/30/32/40/42/50") << cycle;
    EXPECT_EQ(NextRequest(3000), "R/20/164/172/174/214/216/82/94/96/98/22") << cycle;
  }
  korvan.Signal(SIGINT);
  EXPECT_EQ(korvan.WaitForExit(3000), 0);
}

TEST_F(ProgramAgainstPeer, TerminationEndsEvenALongPauseAtOnce) {
  folder_.Write("LCD_Korvan.ini", ConfigurationFor(address_, 60000));
  ChildProcess korvan(BuildDir() / "korvan", {}, folder_.path(), kQuietLcd);
  ASSERT_TRUE(NextRequest(3000));
  ASSERT_TRUE(NextRequest(3000));
  EXPECT_EQ(NextRequest(200), std::nullopt);  // now in its 60 s pause
  korvan.Signal(SIGTERM);
  EXPECT_EQ(korvan.WaitForExit(2000), 0);
  EXPECT_EQ(korvan.Stdout(), "");
}

TEST_F(ProgramAgainstPeer, PushesEveryCycleFrameToTheLcdService) {
  folder_.Write("LCD_Korvan.ini", ConfigurationFor(address_, 20));
  const auto frames = folder_.path() / "frames";
  std::filesystem::create_directory(frames);
  ChildProcess korvan(BuildDir() / "korvan", {}, folder_.path(),
                      {"LCD_VIRTUAL_HTTP=off", "LCD_VIRTUAL_RECORD=" + frames.string()});
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(NextRequest(3000));
  korvan.Signal(SIGTERM);
  ASSERT_EQ(korvan.WaitForExit(3000), 0);
  // The first frame at start-up and one per cycle, all written by the clean end.
  const auto count = std::distance(std::filesystem::directory_iterator(frames),
                                   std::filesystem::directory_iterator());
  EXPECT_GE(count, 3);
  EXPECT_TRUE(std::filesystem::exists(frames / "frame-000001.pgm"));
}

TEST_F(ProgramAgainstPeer, RunsOnWithoutAnLcdService) {
  folder_.Write("LCD_Korvan.ini", ConfigurationFor(address_, 20));
  ChildProcess korvan(BuildDir() / "korvan", {}, folder_.path(),
                      {"KORVAN_LCD_SERVICE=/nonexistent/liblcd.so"});
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(NextRequest(3000)) << i;
  korvan.Signal(SIGTERM);
  EXPECT_EQ(korvan.WaitForExit(3000), 0);
  EXPECT_NE(korvan.Stderr().find("/nonexistent/liblcd.so"), std::string::npos) << korvan.Stderr();
  EXPECT_EQ(korvan.Stdout(), "");
}

}  // namespace
}  // namespace korvan
