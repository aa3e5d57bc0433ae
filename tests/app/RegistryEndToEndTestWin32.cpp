// The built korvan.exe on Windows: the LCD service found through the
// registry, frames from a simulator on loopback, and `korvan.exe --stop`.
#include <gtest/gtest.h>
#include <process.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <thread>
#include <tuple>

#include "app/SimulatorAnswers.h"
#include "lcdlink/LcdServiceInterface.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/UdpSocket.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

constexpr char kFastAnswer[] = "A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n";
constexpr char kSlowAnswer[] =
    "A/20\\10.5/164\\1/172\\0/174\\1/214\\0/216\\0/82\\-0.6/94\\-12.5/96\\3.25/98\\271.5/"
    "22\\Bf-109G-2\n";
constexpr char kServiceKey[] =
    "HKLM\\SOFTWARE\\Classes\\CLSID\\{FE750200-B72E-11d9-829B-0050DA1A72D3}\\ServerBinary";

std::string ReadFile(const std::filesystem::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// korvan.exe in the current folder, its output the test's (so no console's).
HANDLE Start(const wchar_t* argument) {
  const std::wstring program = (ProgramFolder().parent_path() / "korvan.exe").wstring();
  return reinterpret_cast<HANDLE>(
      _wspawnl(_P_NOWAIT, program.c_str(), L"korvan.exe", argument, nullptr));
}

// The exit code, or -2 if it runs on after `timeoutMs`.
int ExitCode(HANDLE process, DWORD timeoutMs) {
  DWORD code = static_cast<DWORD>(-2);
  if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  return static_cast<int>(code);
}

TEST(RegistryEndToEnd, TheRegisteredServiceGetsTheFramesAndStopEndsTheProgram) {
  testing::TempDir folder;
  // Loopback's own address: under Wine, answers from a socket bound to
  // another 127/8 address do not come from it.
  std::string error;
  std::optional<UdpSocket> simulator = UdpSocket::Create(error);
  if (!simulator || !simulator->Bind({0x7F000001, 6060}, error)) GTEST_SKIP() << error;
  std::jthread answering([&simulator](std::stop_token stop) {
    for (char request[512]; !stop.stop_requested();) {
      if (!simulator->WaitReadable(20)) continue;
      const ReceiveResult got = simulator->Receive(request);
      const bool fast = std::string_view(request, got.size) == kFastRequest;
      simulator->SendTo(got.sender, std::string_view(fast ? kFastAnswer : kSlowAnswer));
    }
  });
  folder.Write("LCD_Korvan.ini",
               "[DCS]\nPort=6060\nIP=127.0.0.1\nSleep=20\nCountdown=90\nAltitude=1000\n"
               "Speed=300\n");
  const std::string service = (ProgramFolder() / "app_recording_service.dll").string();
  ASSERT_EQ(std::system(
                ("reg add " + std::string(kServiceKey) + " /ve /f /d \"" + service + "\"").c_str()),
            0);
  SetEnvironmentVariableW(L"KORVAN_LCD_SERVICE", nullptr);
  SetEnvironmentVariableW(L"KORVAN_TEST_SERVICE_LOG", folder.path().c_str());
  std::filesystem::current_path(folder.path());

  const HANDLE korvan = Start(nullptr);
  std::string log;
  const auto waitForLines = [&log](std::ptrdiff_t lines) {
    for (int waited = 0; waited < 20000 && std::count(log.begin(), log.end(), '\n') < lines;
         waited += 20) {
      ::Sleep(20);
      log = ReadFile("log");
    }
  };
  waitForLines(60);
  const std::string frame = ReadFile("frame");
  folder.Write("buttons", "1");  // a click of the first button: the next unit mode
  waitForLines(80);
  folder.Write("buttons", "0");
  waitForLines(120);
  const std::string knots = ReadFile("frame");
  EXPECT_EQ(ExitCode(Start(L"--stop"), 5000), 0);
  EXPECT_EQ(ExitCode(korvan, 5000), 0);
  EXPECT_EQ(ExitCode(Start(L"--stop"), 5000), 1);  // none runs now
  log = ReadFile("log");
  std::filesystem::current_path(folder.path().parent_path());
  std::system(("reg delete " + std::string(kServiceKey) + " /f").c_str());

  EXPECT_TRUE(log.starts_with("connect Korvan mod v1.2  by  Taldor\npush 128\n")) << log;
  const auto count = [&log](std::string_view what) {
    std::size_t found = 0;
    for (auto at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) ++found;
    return found;
  };
  EXPECT_EQ(count("push 128\n"), count("push ")) << log;
  // Stopped cleanly: its socket closed and Winsock released before the
  // service's Cleanup.
  EXPECT_TRUE(log.ends_with("\ncleanup: sockets released\n")) << log;
  ASSERT_EQ(frame.size(), std::size_t{LCD_FRAME_BYTES});
  EXPECT_TRUE(testing::MatchesGolden(
      "app-main-metric", testing::FrameToArt(reinterpret_cast<const std::uint8_t*>(&frame[4]),
                                             LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT, LCD_FRAME_WIDTH)));
  ASSERT_EQ(knots.size(), std::size_t{LCD_FRAME_BYTES});
  EXPECT_TRUE(testing::MatchesGolden(
      "app-main-knots", testing::FrameToArt(reinterpret_cast<const std::uint8_t*>(&knots[4]),
                                            LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT, LCD_FRAME_WIDTH)));
}

// What a person starting it from a console sees of a configuration it
// cannot use (text-mode output: Windows line ends), and the exit code a
// script sees.
TEST(RegistryEndToEnd, AConfigurationItCannotUseIsNamedAndEndsTheProgram) {
  const std::string program = (ProgramFolder().parent_path() / "korvan.exe").string();
  for (const auto& [file, exitCode, output] :
       {std::tuple{"", 1, "Je ne peux ouvrir le fichier config.ini\r\n"},
        std::tuple{"[DCS]\nPort=65536\n", -1, "Port non valide\r\n"}}) {
    testing::TempDir folder;
    if (*file != '\0') folder.Write("LCD_Korvan.ini", file);
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(std::system(("\"" + program + "\" > out.txt 2>&1").c_str()), exitCode) << file;
    EXPECT_EQ(ReadFile("out.txt"), output) << file;
    std::filesystem::current_path(folder.path().parent_path());
  }
}

}  // namespace
}  // namespace korvan
