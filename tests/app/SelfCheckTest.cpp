// korvan --check in a folder of settings and icons, against a loopback
// stand-in or silence, and the virtual LCD or a library that is not there.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/SelfCheck.h"
#include "app/SimulatorAnswers.h"
#include "platform/system/SystemClock.h"
#include "platform/system/UdpSocket.h"
#include "tests/app/CycleRig.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

// A real socket whose fast request a stand-in on loopback answers as it comes.
struct LoopbackSimulator final : DatagramSocket {
  bool SendTo(const Ipv4Endpoint& to, std::span<const char> bytes) override {
    const bool sent = client.SendTo(to, bytes);
    char request[64];
    const ReceiveResult got = server.WaitReadable(1000) ? server.Receive(request) : ReceiveResult{};
    if (std::string_view(request, got.size) == kFastRequest) {
      server.SendTo(got.sender, std::string_view("A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n"));
    }
    return sent;
  }
  ReceiveResult Receive(std::span<char> buffer) override {
    ReceiveResult got = client.Receive(buffer);
#ifdef _WIN32
    // Wine names 127.0.0.1 as the sender of loopback replies, whatever
    // address the stand-in is bound to.
    if (got.status != ReceiveStatus::kNothing) got.sender = server.LocalEndpoint();
#endif
    return got;
  }
  std::string error;
  UdpSocket client = *UdpSocket::Create(error);
  UdpSocket server = *UdpSocket::Create(error);
};

struct CheckRow {
  int exitCode;
  bool answering;                 // the stand-in answers; else nothing does, on a fake clock
  bool broken;                    // the zero icon set is gone and the LCD library is not there
  std::vector<std::string> said;  // starting with '-': never said
  std::string settings = "";      // LCD_Korvan.ini; empty: good ones
};

// The check run in a fresh folder with the row's settings and icons.
std::string Check(const CheckRow& row, const std::string& good, DatagramSocket& loopback,
                  testing::FakeClock& fakeClock) {
  testing::TempDir folder;
  folder.Write("LCD_Korvan.ini", row.settings.empty() ? good : row.settings);
  fs::copy(fs::path(KORVAN_SOURCE_DIR) / "assets" / "images", folder.path() / "images",
           fs::copy_options::recursive);
  if (row.broken) fs::remove_all(folder.path() / "images" / "zero");
  SystemClock realClock;
  testing::QueuedSocket silence;
  const fs::path library(row.broken ? "/nonexistent/liblcd.so" : KORVAN_VIRTUAL_LCD);
  LcdManagerService service{library};
  std::string report;
  SelfCheckSeams seams{row.answering ? static_cast<Clock&>(realClock) : fakeClock,
                       row.answering ? loopback : silence,
                       service,
                       library,
                       "",
                       "",
                       "",
                       [&](std::string_view line) { report.append(line).append("\n"); }};
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  ::testing::internal::CaptureStderr();  // the loader's own words
  EXPECT_EQ(RunSelfCheck(seams), row.exitCode) << report;
  ::testing::internal::GetCapturedStderr();
  fs::current_path(previous);
  return report;
}

TEST(SelfCheck, SaysWhatIsWrongAndWhatToDo) {
  const unsigned id = std::random_device{}();  // an address of its own: runs never meet
  const std::string address =
      "127." + std::to_string(10 + id % 200) + "." + std::to_string(id / 200 % 250) + ".29";
  LoopbackSimulator loopback;
  if (!loopback.server.Bind({*ParseIpv4Address(address.c_str()), 6060}, loopback.error)) {
    GTEST_SKIP() << address << ":6060: " << loopback.error;
  }
#ifdef _WIN32
  _putenv_s("LCD_VIRTUAL_HTTP", "off");
#else
  setenv("LCD_VIRTUAL_HTTP", "off", 1);
#endif
  const std::string good =
      "[DCS]\nPort=6060\nIP=" + address + "\nSleep=20\nCountdown=9\nAltitude=1\nSpeed=3\n";
  // clang-format off
  const CheckRow rows[] = {
      {0, true, false, {"OK   LCD_Korvan.ini in ", "sleep 20 ms, countdown 9 min, altitude 1 m, speed 3 km/h",
        "answered in", "airspeed 300 km/h, climb 5.5 m/s, altitude 1000 m, heading 271.9, fuel 80",
        "finds the LCD", "OK   55 of 55 icon files load", "All is well", "-FAIL"}},
      {1, false, false, {"FAIL no answer from the simulator at " + address + ":6060 within 1 s",
        "1. the simulator is not running, or its network export is not enabled",
        "2. IP= in LCD_Korvan.ini", "3. a firewall", "OK   55 of 55"}},
      {1, true, true, {"FAIL 44 of 55 icon files load", "zero", "1_0.ico, ", "4_1.ico and 1 more",
        "-4_2.ico", "FAIL the LCD service /nonexistent/liblcd.so does not load"}},
      {1, true, false, {"Port non valide", "-simulator", "-icon"}, "[DCS]\nPort=0\n"},
      {1, true, false, {"\"1.2.3.256\" does not parse", "not asked", "-no answer"},
       "[DCS]\nPort=1\nIP=1.2.3.256\nSleep=1\nCountdown=1\nAltitude=1\nSpeed=1\n"},
  };
  // clang-format on
  for (const CheckRow& row : rows) {
    testing::FakeClock fakeClock;
    const std::string report = Check(row, good, loopback, fakeClock);
    for (const std::string& text : row.said) {
      const bool never = text.starts_with('-');
      EXPECT_EQ(report.find(text.substr(never ? 1 : 0)) == std::string::npos, never)
          << text << " in\n"
          << report;
    }
    EXPECT_LE(fakeClock.TickCount(), 1010u);  // silence is waited for 1 s, no longer
  }
}

}  // namespace
}  // namespace korvan
