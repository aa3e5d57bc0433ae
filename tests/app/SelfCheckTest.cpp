// korvan --check in a folder of settings and icons, against a loopback
// stand-in or silence, and the virtual LCD or a library that is not there.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/SelfCheck.h"
#include "app/SimulatorAnswers.h"
#include "platform/system/SystemClock.h"
#include "platform/system/UdpSocket.h"
#include "tests/app/CycleRig.h"
#include "tests/support/Stderr.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAnswer = "A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n";

// A real socket whose fast request a stand-in on loopback answers as it comes.
struct LoopbackSimulator final : DatagramSocket {
  bool SendTo(const Ipv4Endpoint& to, std::span<const char> bytes) override {
    const bool sent = client.SendTo(to, bytes);
    char request[64];
    const ReceiveResult got = server.WaitReadable(1000) ? server.Receive(request) : ReceiveResult{};
    if (std::string_view(request, got.size) == kFastRequest) server.SendTo(got.sender, kAnswer);
    return sent;
  }
  ReceiveResult Receive(std::span<char> buffer) override {
    ReceiveResult got = client.Receive(buffer);
#ifdef _WIN32
    // Wine names 127.0.0.1 as the sender of loopback replies, whatever the bound address.
    if (got.status != ReceiveStatus::kNothing) got.sender = server.LocalEndpoint();
#endif
    return got;
  }
  std::string error;
  UdpSocket client = *UdpSocket::Create(error);
  UdpSocket server = *UdpSocket::Create(error);
};

// An LCD service whose start-up hangs until the test lets it go.
std::atomic<bool> hangingServiceLetGo{false};

struct CheckRow {
  int exitCode;
  bool answering;  // the stand-in answers; else only `heard` comes, on a fake clock
  int broken;      // not 0: the LCD library is not there, and as many zero/ icons are gone
  std::vector<std::string> said;  // starting with '-': never said
  std::string settings = "";      // LCD_Korvan.ini; empty: good ones; "none": no file
  std::vector<std::pair<std::uint32_t, std::string>> heard = {};  // with their senders
  bool hangs = false;      // the LCD service hangs, on a fake clock
  bool installed = false;  // no images/ here: only the installed tree's
};

// The check in a fresh folder with the row's settings and icons, run from `install`/bin.
std::string Check(const CheckRow& row, const std::string& good, DatagramSocket& loopback,
                  testing::FakeClock& fakeClock, const fs::path& install) {
  testing::TempDir folder;
  if (row.settings != "none")
    folder.Write("LCD_Korvan.ini", row.settings.empty() ? good : row.settings);
  if (!row.installed) {
    fs::copy(install / "share" / "korvan" / "images", folder.path() / "images",
             fs::copy_options::recursive);
    std::vector<fs::path> zero(fs::directory_iterator(folder.path() / "images" / "zero"), {});
    std::sort(zero.begin(), zero.end());
    for (int i = 0; i < row.broken; ++i) fs::remove(zero[static_cast<std::size_t>(i)]);
  }
  SystemClock realClock;
  testing::QueuedSocket silence;
  silence.queue.assign(row.heard.begin(), row.heard.end());
  const fs::path library(row.broken ? "/nonexistent/liblcd.so" : KORVAN_VIRTUAL_LCD);
  LcdServiceTable hanging = testing::ScriptedService::Table();
  hanging.Startup = []() KORVAN_LCD_CALL {
    while (!hangingServiceLetGo) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 0;
  };
  LcdManagerService service = row.hangs ? LcdManagerService(hanging) : LcdManagerService(library);
  std::string report;
  CheckedMachine machine{.clock = row.answering ? static_cast<Clock&>(realClock) : fakeClock,
                         .serviceClock = row.hangs ? static_cast<Clock&>(fakeClock) : realClock,
                         .socket = row.answering ? static_cast<DatagramSocket&>(loopback) : silence,
                         .service = service,
                         .serviceLibrary = library,
                         .report = [&](std::string_view line) { report.append(line).append("\n"); },
                         .programFolder = install / "bin"};
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  testing::StderrOf(  // the loader's own words
      [&] { EXPECT_EQ(RunSelfCheck(machine), row.exitCode) << report; });
  EXPECT_EQ(machine.serviceCallsLeftRunning.joinable(), row.hangs);
  if (row.hangs) {
    hangingServiceLetGo = true;
    machine.serviceCallsLeftRunning.join();
  }
  fs::current_path(previous);
  return report;
}

TEST(SelfCheck, SaysWhatIsWrongAndWhatToDo) {
  const unsigned id = std::random_device{}();  // an address of its own: runs never meet
  const std::string address =
      "127." + std::to_string(10 + id % 200) + "." + std::to_string(id / 200 % 250) + ".29";
  LoopbackSimulator loopback;
  const std::uint32_t simulator = *ParseIpv4Address(address.c_str());
  if (!loopback.server.Bind({simulator, 6060}, loopback.error))
    GTEST_SKIP() << address << ":6060: " << loopback.error;
#ifdef _WIN32
  _putenv_s("LCD_VIRTUAL_HTTP", "off");
#else
  setenv("LCD_VIRTUAL_HTTP", "off", 1);
#endif
  const std::string good =
      "[DCS]\nPort=6060\nIP=" + address + "\nSleep=20\nCountdown=9\nAltitude=1\nSpeed=3\n";
  const testing::TempDir install;  // an installed tree: its icon sets and example settings
  const fs::path images = install.path() / "share" / "korvan" / "images";
  fs::create_directories(images);
  fs::create_directories(install.path() / "share" / "doc" / "korvan");
  fs::copy(fs::path(KORVAN_SOURCE_DIR) / "assets" / "images", images, fs::copy_options::recursive);
  const fs::path example = install.Write("share/doc/korvan/LCD_Korvan.ini", good);
  const std::u8string exampleText = example.lexically_normal().u8string();
  // clang-format off
  const CheckRow rows[] = {
      {0, true, 0, {"OK   LCD_Korvan.ini in ", "sleep 20 ms, countdown 9 min, altitude 1 m, speed 3 km/h",
        "answered in", "airspeed 300 km/h, climb 5.5 m/s, altitude 1000 m, heading 271.9, fuel 80",
        "finds the LCD", "OK   55 of 55 icon files load", "All is well", "-FAIL"}},
      {1, false, 0, {"FAIL no answer from the simulator at " + address + ":6060 within 1 s",
        "1. the simulator is not running, or its network export is not enabled",
        "2. IP= in LCD_Korvan.ini", "3. a firewall", "OK   55 of 55"}},
      {1, true, 11, {"FAIL 44 of 55 icon files load", "zero", "1_0.ico, ", "4_1.ico and 1 more",
        "-4_2.ico", "copy the images folder", "FAIL the LCD service /nonexistent/liblcd.so does not load"}},
      {1, true, 0, {"Port non valide", "-simulator", "-icon"}, "[DCS]\nPort=0\n"},
      {1, true, 0, {"FAIL LCD_Korvan.ini in ", "in the folder that holds LCD_Korvan.ini, or make one here "
        "from " + std::string(exampleText.begin(), exampleText.end()) + ", with IP=", "-correct",
        "-the simulator address", "-icon"}, "none"},
      // Answers from elsewhere come first among the causes; the rest is said apart.
      {1, false, 10, {"1. the simulator answered from 10.1.2.3 instead", "write IP=10.1.2.3 in",
        "2. the simulator is not running", "4. a firewall", "a datagram came from 10.9.9.9 instead",
        "it sent something else: \"R/30?" + std::string(35, 'x') + "\"\n", "FAIL 45 of 55 icon files load",
        "-more"}, "", {{0x0A090909, "hello"}, {0x0A010203, std::string(kAnswer)},
        {simulator, "R/30\x01" + std::string(35, 'x')}}},  // 40 bytes: shown whole
      {1, false, 0, {"values could be read from \"A/30\\1/" + std::string(33, 'x') + "...\";"}, "",
        {{simulator, "A/30\\1/" + std::string(34, 'x')}}},  // 41 bytes: cut at 40
      {1, true, 0, {"FAIL the LCD service did not answer within 5 s (" KORVAN_VIRTUAL_LCD "): "
        "restart", "OK   55 of 55"}, "", {}, true, true},
      {1, true, 0, {"\"1.2.3.256\" does not parse", "not asked", "-no answer"},
       "[DCS]\nPort=1\nIP=1.2.3.256\nSleep=1\nCountdown=1\nAltitude=1\nSpeed=1\n"},
  };
  // clang-format on
  for (const CheckRow& row : rows) {
    testing::FakeClock fakeClock;
    const std::string report = Check(row, good, loopback, fakeClock, install.path());
    for (const std::string& text : row.said) {
      const bool never = text.starts_with('-');
      EXPECT_EQ(report.find(text.substr(never ? 1 : 0)) == std::string::npos, never)
          << text << " in\n"
          << report;
    }
    // Silence is waited for 1 s, no longer, and a hung service 5 s.
    EXPECT_LE(fakeClock.TickCount(), row.hangs ? 5000u : 1010u);
  }
}

}  // namespace
}  // namespace korvan
