// The built program, a scripted simulator on loopback and the virtual LCD.

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <utility>

#include "app/SimulatorAnswers.h"
#include "platform/system/UdpSocket.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/TempDir.h"
#include "tools/sim/ReplayedAnswers.h"
#include "tools/sim/SimServer.h"

extern char** environ;

namespace korvan {
namespace {

namespace fs = std::filesystem;
using testing::MatchesGolden;
using testing::ReadFile;
using testing::TempDir;

constexpr char kFastAnswer[] = "A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n";
constexpr char kSlowAnswer[] =
    "A/20\\10.5/164\\1/172\\0/174\\1/214\\0/216\\0/82\\-0.6/94\\-12.5/96\\3.25/98\\271.5/"
    "22\\Bf-109G-2\n";

// A loopback address of this test process's own: tests never meet on a port.
std::string OwnLoopbackAddress(int host) {
  const unsigned id = static_cast<unsigned>(getpid());
  return "127." + std::to_string(10 + id % 200) + "." + std::to_string((id / 200) % 250) + "." +
         std::to_string(host);
}

// The program run in `folder` with `environment` added, its output in the files
// stdout and stderr there; killed if still running at the end. The shell sets
// up, then becomes the program, which so keeps the process id we signal.
class Korvan {
 public:
  Korvan(const fs::path& folder, const std::vector<std::string>& environment,
         const std::string& program = KORVAN_PROGRAM, const std::string& arguments = "") {
    std::string command = "cd '" + folder.string() + "' && exec env";
    for (const std::string& entry : environment) command += " '" + entry + "'";
    command += " '" + program + "' " + arguments + " >stdout 2>stderr";
    const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
    // A hang-up ignored by whoever ran the tests (nohup) is not the program's.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t hangUp;
    sigemptyset(&hangUp);
    sigaddset(&hangUp, SIGHUP);
    posix_spawnattr_setsigdefault(&attributes, &hangUp);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const int spawned =
        posix_spawn(&pid_, argv[0], nullptr, &attributes, const_cast<char**>(argv), environ);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) throw std::runtime_error("cannot start " + program);
  }
  ~Korvan() {
    Signal(SIGKILL);
    if (!reaped_) waitpid(pid_, nullptr, 0);
  }
  void Signal(int signal) const {
    if (!reaped_) kill(pid_, signal);
  }
  // The exit code, or nothing if it did not exit within the time (or died by a signal).
  std::optional<int> WaitForExit(int timeoutMs) {
    int status = 0;
    for (int waited = 0; waitpid(pid_, &status, WNOHANG) != pid_; waited += 5) {
      if (waited >= timeoutMs) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reaped_ = true;
    return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
  }

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string address = OwnLoopbackAddress(9);
    std::string error;
    simulator_ = UdpSocket::Create(error);
    if (!simulator_ || !simulator_->Bind({*ParseIpv4Address(address.c_str()), 6060}, error))
      GTEST_SKIP() << address << ":6060: " << error;
    simulatorThread_ = std::jthread([this](std::stop_token stop) { Simulate(stop); });
    folder_.Write("LCD_Korvan.ini", "[DCS]\nPort=6060\nIP=" + address +
                                        "\nSleep=20\nCountdown=90\nAltitude=1000\nSpeed=300\n");
    fs::copy(fs::path(KORVAN_SOURCE_DIR) / "assets" / "images", folder_.path() / "images",
             fs::copy_options::recursive);
    fs::create_directory(frames_);
    korvan_.emplace(folder_.path(),
                    std::vector<std::string>{"LCD_VIRTUAL_HTTP=off",  // tests never share a port
                                             "LCD_VIRTUAL_RECORD=" + frames_.string(),
                                             "LCD_VIRTUAL_BUTTONS=" + buttons_.string()});
  }

  void TearDown() override {
    if (korvan_) {
      korvan_->Signal(SIGINT);
      EXPECT_EQ(korvan_->WaitForExit(5000), 0) << ReadFile(folder_.path() / "stderr");
    }
    simulatorThread_ = {};  // stops and joins it
    EXPECT_EQ(outOfTurn_, 0);
  }

  // Answers the two requests, which must come in turn, always alike: after a
  // stray datagram, each answer twice and 15 ms late, past the program's wait.
  virtual void Simulate(std::stop_token stop) {
    char request[512];
    for (bool fast = true, strayed = false; !stop.stop_requested();) {
      if (!simulator_->WaitReadable(20)) continue;
      const ReceiveResult got = simulator_->Receive(request);
      if (std::string_view(request, got.size) != (fast ? kFastRequest : kSlowRequest)) ++outOfTurn_;
      if (!std::exchange(strayed, true)) simulator_->SendTo(got.sender, std::string_view("?"));
      std::this_thread::sleep_for(std::chrono::milliseconds(15));
      for (int twice = 0; twice < 2; ++twice)
        simulator_->SendTo(got.sender, std::string_view(fast ? kFastAnswer : kSlowAnswer));
      fast = !fast;
    }
  }

  // Waits for `more` frames; the newest. A frame appears whole, renamed from a hidden file.
  std::string WaitFrames(int more) {
    const auto count = [this] {
      return std::count_if(fs::directory_iterator(frames_), {}, [](const fs::directory_entry& e) {
        return !e.path().filename().string().starts_with(".");
      });
    };
    const auto target = count() + more;
    for (int waited = 0; count() < target; waited += 10) {
      if (waited > 10000) return "no more frames";
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06d.pgm", static_cast<int>(count()));
    const std::string frame = ReadFile(frames_ / name);
    if (frame.size() != 14 + 160 * 43 || !frame.starts_with("P5\n160 43\n255\n")) return name;
    return testing::FrameToArt(reinterpret_cast<const std::uint8_t*>(&frame[14]), 160, 43, 160);
  }

  // A press and release of the buttons in `mask`, then the page it led to: as
  // the recorder may still write older frames, the change is waited for.
  std::string Click(unsigned mask) {
    const std::string before = WaitFrames(1);
    for (const unsigned buttons : {mask, 0u}) {
      std::ofstream(buttons_.string() + ".new") << buttons << "\n";
      fs::rename(buttons_.string() + ".new", buttons_);  // the plug-in never reads half a file
      WaitFrames(buttons != 0 ? 3 : 0);
    }
    for (int frames = 0; WaitFrames(1) == before && frames < 200; ++frames) {
    }
    return WaitFrames(3);  // the page's values come a cycle after it
  }

  TempDir folder_;
  fs::path frames_ = folder_.path() / "frames";
  fs::path buttons_ = folder_.path() / "buttons";
  std::optional<UdpSocket> simulator_;
  std::jthread simulatorThread_;
  std::atomic<int> outOfTurn_{0};
  std::optional<Korvan> korvan_;
};

TEST_F(EndToEnd, PagesFollowTheSimulatorAndTheSoftButtons) {
  EXPECT_TRUE(MatchesGolden("app-main-metric", WaitFrames(10)));
  EXPECT_TRUE(MatchesGolden("app-main-knots", Click(1)));  // button 0: the next unit mode
  EXPECT_TRUE(MatchesGolden("app-main-mph", Click(1)));
  EXPECT_TRUE(MatchesGolden("app-main-airspeeds", Click(1)));   // true airspeed, bomb sight
  EXPECT_TRUE(MatchesGolden("app-status-me109", Click(2)));     // button 1: the status page
  EXPECT_TRUE(MatchesGolden("app-calculator-idle", Click(4)));  // button 2, after unit mode 3
  EXPECT_TRUE(MatchesGolden("app-calculator-metric", Click(4)));
  EXPECT_TRUE(MatchesGolden("app-calculator-knots", Click(4)));
}

// The stand-in replaying the shipped recorded flight, its time held by the
// test, so each frame shows one recorded answer however fast the program runs.
class ReplayEndToEnd : public EndToEnd {
 protected:
  struct HeldClock final : Clock {
    std::uint32_t TickCount() override { return now.load(); }
    void Sleep(std::uint32_t) override {}
    std::atomic<std::uint32_t> now{0};
  };

  void Simulate(std::stop_token stop) override {
    sim::FlightRecording flight;
    std::string error;
    const std::string file = KORVAN_SOURCE_DIR "/assets/flights/bf109-circuit.flight";
    if (!sim::ReadFlightFile(file.c_str(), flight, error)) return ADD_FAILURE() << error;
    sim::ReplayedAnswers answers(std::move(flight), false, nullptr);
    sim::SimServer server(std::move(*simulator_), answers, {}, clock_, nullptr);
    serving_ = true;  // the replay's start is the clock's 0 only until the test moves it
    while (!stop.stop_requested()) server.ServeFor(20);
  }

  HeldClock clock_;
  std::atomic<bool> serving_{false};
};

TEST_F(ReplayEndToEnd, TheRecordedFlightShowsAsItWasFlown) {
  for (const auto& [seconds, golden] :
       {std::pair{12u, "app-replay-take-off"}, {60u, "app-replay-climb"}}) {
    for (int ms = 0; !serving_ && ms < 5000; ++ms)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    clock_.now = seconds * 1000;
    WaitFrames(10);  // the frames drawn before the time moved
    EXPECT_TRUE(MatchesGolden(golden, WaitFrames(5))) << seconds;
  }
}

TEST(Program, ExitsWithTheSettingsMessageAndCodeOrRunsUntilStoppedEvenInALongPause) {
  // Settings (null: no file), whether it runs on until stopped, exit code, output.
  const std::tuple<const char*, bool, int, const char*> rows[] = {
      {nullptr, false, 1, "Je ne peux ouvrir le fichier config.ini\n"},
      {"[DCS]\nPort=65536\n", false, 255, "Port non valide\n"},
      {"", false, 255, "Mauvais confi.ini\n"},
      // Without an LCD service it polls on, a second into its minute-long pause, until a hang-up.
      {"[DCS]\nPort=6060\nIP=127.0.0.1\nSleep=60000\nC=1\nA=1\nSp=1\n", true, 0, ""}};
  for (const auto& [file, runs, exitCode, output] : rows) {
    TempDir folder;
    if (file != nullptr) folder.Write("LCD_Korvan.ini", file);
    Korvan korvan(folder.path(), {"KORVAN_LCD_SERVICE=/nonexistent/lcd.so"});
    std::optional<int> exit = korvan.WaitForExit(runs ? 1000 : 5000);
    if (runs) {
      EXPECT_EQ(exit, std::nullopt);  // it polls on
      korvan.Signal(SIGHUP);
      exit = korvan.WaitForExit(2000);
    }
    EXPECT_EQ(exit, exitCode) << output;
    EXPECT_EQ(ReadFile(folder.path() / "stdout"), output);
    // A missing service is said once, however often set-up tries to start it.
    const std::string errors = ReadFile(folder.path() / "stderr");
    const std::size_t said = errors.find("no LCD service from /nonexistent/lcd.so");
    EXPECT_EQ(said != std::string::npos, runs) << errors;
    EXPECT_EQ(errors.find("no LCD service", said + 1), std::string::npos) << errors;
  }
}

TEST(Program, TheStandInAnswersUntilStopped) {
  TempDir folder;
  Korvan refused(folder.path(), {}, KORVAN_SIM_PROGRAM, "--port 0");
  EXPECT_EQ(refused.WaitForExit(2000), 2);
  EXPECT_EQ(ReadFile(folder.path() / "stderr"), "korvan-sim: bad value for --port: 0\n");

  const std::string address = OwnLoopbackAddress(8);
  Korvan sim(folder.path(), {}, KORVAN_SIM_PROGRAM, "--quiet --bind " + address);
  std::string error;
  std::optional<UdpSocket> player = UdpSocket::Create(error);
  ASSERT_TRUE(player) << error;
  char answer[64];
  std::size_t size = 0;
  for (int tries = 0; size == 0 && tries < 100; ++tries) {
    player->SendTo({*ParseIpv4Address(address.c_str()), 6060}, std::string_view("R/22"));
    if (player->WaitReadable(50)) size = player->Receive(answer).size;
  }
  EXPECT_EQ(std::string_view(answer, size), "A/22\\Bf-109G-2\n");
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.WaitForExit(2000), 0) << ReadFile(folder.path() / "stderr");
}

}  // namespace
}  // namespace korvan
