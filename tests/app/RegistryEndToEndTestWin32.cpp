// The built korvan.exe on Windows: the LCD service found through the
// registry, frames from a simulator on loopback, and `korvan.exe --stop`.
#include <gtest/gtest.h>
#include <process.h>
#include <windows.h>

#include <fstream>
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

namespace fs = std::filesystem;
using testing::ReadFile;

constexpr char kFastAnswer[] = "A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n";
constexpr char kSlowAnswer[] =
    "A/20\\10.5/164\\1/172\\0/174\\1/214\\0/216\\0/82\\-0.6/94\\-12.5/96\\3.25/98\\271.5/"
    "22\\Bf-109G-2\n";
constexpr char kSettings[] =
    "[DCS]\nPort=6060\nIP=127.0.0.1\nSleep=20\nCountdown=90\nAltitude=1000\nSpeed=300\n";
constexpr wchar_t kServiceKey[] =
    L"HKLM\\SOFTWARE\\Classes\\CLSID\\{FE750200-B72E-11d9-829B-0050DA1A72D3}\\ServerBinary";
// This program's own registry view, and the other width's.
const std::wstring kOwnView = sizeof(void*) == 8 ? L"64" : L"32";
const std::wstring kOtherView = sizeof(void*) == 8 ? L"32" : L"64";

// The LCD service's library in one registry view, or none there.
void Register(const std::wstring& view, const fs::path& library = {}) {
  const std::wstring command = library.empty() ? std::wstring(L"reg delete ") + kServiceKey + L" /f"
                                               : std::wstring(L"reg add ") + kServiceKey +
                                                     L" /ve /f /d \"" + library.native() + L"\"";
  _wsystem((command + L" /reg:" + view + L" > nul 2>&1").c_str());
}

fs::path Program() {
  return ProgramFolder().parent_path() / "korvan.exe";
}

// korvan.exe in the current folder, its output the test's (so no console's).
HANDLE Start(const wchar_t* argument) {
  return reinterpret_cast<HANDLE>(
      _wspawnl(_P_NOWAIT, Program().c_str(), L"korvan.exe", argument, nullptr));
}

// The exit code, or -2 if it runs on after `timeoutMs`.
int ExitCode(HANDLE process, DWORD timeoutMs) {
  DWORD code = static_cast<DWORD>(-2);
  if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  return static_cast<int>(code);
}

// `program` run in the current folder with `arguments`; standard output and
// error to the file `output` there.
int RunProgram(const fs::path& program, const std::wstring& arguments, const wchar_t* output) {
  return _wsystem(
      (L"\"" + program.native() + L"\" " + arguments + L" > " + output + L" 2>&1").c_str());
}

TEST(RegistryEndToEnd, TheRegisteredServiceGetsTheFramesAndStopEndsTheProgram) {
  testing::TempDir folder;
  // Loopback's own address: under Wine, answers from another 127/8 address do not come from it.
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
  folder.Write("LCD_Korvan.ini", kSettings);
  // Registered in a folder whose name the ANSI code page holds, but not ASCII.
  const fs::path service = folder.path() / L"P\u00e9riph\u00e9rique" / "app_recording_service.dll";
  fs::create_directory(service.parent_path());
  fs::copy_file(ProgramFolder() / service.filename(), service);
  Register(kOwnView, service);
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
  Register(kOwnView);

  EXPECT_TRUE(log.starts_with("connect Korvan mod v1.2  by  Taldor\npush 128\n")) << log;
  for (auto at = log.find("push "); at != std::string::npos; at = log.find("push ", at + 1))
    EXPECT_EQ(log.compare(at, 9, "push 128\n"), 0) << log;  // every frame at the usual priority
  // Stopped cleanly: its socket closed and Winsock released before the service's Cleanup.
  EXPECT_TRUE(log.ends_with("\ncleanup: sockets released\n")) << log;
  for (const auto& [pushed, golden] :
       {std::pair{&frame, "app-main-metric"}, {&knots, "app-main-knots"}}) {
    ASSERT_EQ(pushed->size(), std::size_t{LCD_FRAME_BYTES}) << golden;
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(pushed->data() + 4);
    EXPECT_TRUE(testing::MatchesGolden(
        golden, testing::FrameToArt(pixels, LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT, LCD_FRAME_WIDTH)));
  }
}

// What a person at a console sees of a configuration it cannot use (text-mode output: Windows
// line ends), and the exit code a script sees.
TEST(RegistryEndToEnd, AConfigurationItCannotUseIsNamedAndEndsTheProgram) {
  for (const auto& [file, exitCode, output] :
       {std::tuple{"", 1, "Je ne peux ouvrir le fichier config.ini\r\n"},
        std::tuple{"[DCS]\nPort=65536\n", -1, "Port non valide\r\n"}}) {
    testing::TempDir folder;
    if (*file != '\0') folder.Write("LCD_Korvan.ini", file);
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(RunProgram(Program(), L"", L"out.txt"), exitCode) << file;
    EXPECT_EQ(ReadFile("out.txt"), output) << file;
    std::filesystem::current_path(folder.path().parent_path());
  }
}

// Unzipped into a folder named in any language, in the system's ANSI code page or outside it: the
// check finds the virtual LCD beside the program and the icon sets from its folder, and names them
// in UTF-8 in a file it is redirected to. (Run from a folder of the build, kept: Wine keeps the
// folder such a child ran in busy for this process, which then cannot remove it;
// console-check.sh runs one in a Cyrillic folder.)
TEST(RegistryEndToEnd, FindsWhatIsBesideItInAFolderNamedInAnyLanguage) {
  const fs::path images = fs::absolute(fs::path(KORVAN_SOURCE_DIR) / "assets" / "images");
  SetEnvironmentVariableW(L"KORVAN_LCD_SERVICE", nullptr);
  SetEnvironmentVariableW(L"LCD_VIRTUAL_HTTP", L"off");
  const fs::path here = ProgramFolder() / "check-in-any-language";
  fs::create_directories(here);
  std::ofstream(here / "LCD_Korvan.ini") << kSettings;
  for (const wchar_t* name :
       {L"\u00c9t\u00e9", L"\u041a\u043e\u0440\u0432\u0430\u043d", L"\u30b3\u30eb\u30d0\u30f3"}) {
    testing::TempDir root;
    const fs::path home = root.path() / name, bin = home / "bin";
    fs::create_directories(bin);
    fs::create_directories(home / "share" / "korvan");
    for (const char* file : {"korvan.exe", "lcd-virtual.dll"})
      fs::copy_file(ProgramFolder().parent_path() / file, bin / file);
    fs::copy(images, home / "share" / "korvan" / "images", fs::copy_options::recursive);
    fs::current_path(here);
    // A report of its own each: Wine lets go of a child's files a moment after the wait ends.
    const std::wstring output = std::wstring(name) + L".txt";
    RunProgram(bin / "korvan.exe", L"--check", output.c_str());
    const std::string report = ReadFile(output);
    fs::current_path(ProgramFolder());
    const std::u8string dll = (bin / "lcd-virtual.dll").u8string();
    for (const std::string& said :
         {"OK   the LCD service " + std::string(dll.begin(), dll.end()) + " loads",
          std::string("OK   55 of 55 icon files load")}) {
      EXPECT_NE(report.find(said), std::string::npos) << said << "\n" << report;
    }
  }
}

// Nothing registered for this program's width, a service for the other's: said once, and as the
// check's FAIL line, never hidden behind the virtual LCD. Nothing at all: the virtual LCD, said
// once.
TEST(RegistryEndToEnd, AServiceForTheOtherWidthOnlyIsSaidNotReplaced) {
  const std::string other = sizeof(void*) == 8 ? "32" : "64";
  testing::TempDir folder;
  folder.Write("LCD_Korvan.ini", kSettings);
  SetEnvironmentVariableW(L"KORVAN_LCD_SERVICE", nullptr);
  SetEnvironmentVariableW(L"LCD_VIRTUAL_HTTP", L"off");
  fs::current_path(folder.path());
  for (const bool otherWidth : {true, false}) {
    const std::string line = otherWidth ? "the LCD service installed here is for " + other +
                                              "-bit programs only: use the " + other + "-bit Korvan"
                                        : "no LCD service is registered; using lcd-virtual.dll";
    if (otherWidth) {
      Register(kOtherView, ProgramFolder() / "app_recording_service.dll");
      EXPECT_EQ(RunProgram(Program(), L"--check", L"check.txt"), 1);
    }
    const wchar_t* output = otherWidth ? L"other.txt" : L"none.txt";  // Wine holds a file a while
    std::jthread running([output] { RunProgram(Program(), L"", output); });
    std::string said;
    for (int waited = 0; waited < 20000 && said.find(line) == std::string::npos; waited += 20) {
      ::Sleep(20);
      said = ReadFile(output);
    }
    EXPECT_EQ(ExitCode(Start(L"--stop"), 5000), 0);
    running.join();
    said = ReadFile(output);
    Register(kOtherView);
    EXPECT_TRUE(said.find(line) != std::string::npos && said.find(line) == said.rfind(line) &&
                (!otherWidth || said.find("lcd-virtual") == std::string::npos))
        << said;
  }
  EXPECT_NE(ReadFile("check.txt").find("FAIL the LCD service installed here is for " + other),
            std::string::npos)
      << ReadFile("check.txt");
  fs::current_path(ProgramFolder());
}

}  // namespace
}  // namespace korvan
