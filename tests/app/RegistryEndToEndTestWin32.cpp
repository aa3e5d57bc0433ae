// The built korvan.exe on Windows: the LCD service found through the
// registry, frames from a simulator on loopback, and `korvan.exe --stop`.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "app/SimulatorAnswers.h"
#include "lcdlink/LcdServiceInterface.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/UdpSocket.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

namespace fs = std::filesystem;

constexpr char kFastAnswer[] = "A/30\\300/32\\5.5/40\\1000/42\\271.9/50\\80\n";
constexpr char kSlowAnswer[] =
    "A/20\\10.5/164\\1/172\\0/174\\1/214\\0/216\\0/82\\-0.6/94\\-12.5/96\\3.25/98\\271.5/"
    "22\\Bf-109G-2\n";

constexpr char kServiceKey[] =
    "SOFTWARE\\Classes\\CLSID\\{FE750200-B72E-11d9-829B-0050DA1A72D3}\\ServerBinary";

std::string ReadFile(const fs::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// korvan.exe with `argument` in `folder`, its output in the files stdout and
// stderr there, which so are no console's.
PROCESS_INFORMATION Start(const fs::path& folder, const std::wstring& argument) {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = CreateFileW((folder / "stdout").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                   &inherited, CREATE_ALWAYS, 0, nullptr);
  startup.hStdError = CreateFileW((folder / "stderr").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                  &inherited, CREATE_ALWAYS, 0, nullptr);
  std::wstring command = L"\"" + (ProgramFolder().parent_path() / "korvan.exe").wstring() + L"\"";
  command.append(argument);
  PROCESS_INFORMATION process{};
  CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                 &startup, &process);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  return process;
}

// The exit code, or -2 if it did not exit within the time.
int WaitForExit(const PROCESS_INFORMATION& process, DWORD timeoutMs) {
  DWORD code = static_cast<DWORD>(-2);
  if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  }
  return static_cast<int>(code);
}

TEST(RegistryEndToEnd, TheRegisteredServiceGetsTheFramesAndStopEndsTheProgram) {
  testing::TempDir folder;
  // Loopback's own address: under Wine, answers from a socket bound to
  // another 127/8 address do not come from it.
  const std::string address = "127.0.0.1";
  std::string error;
  std::optional<UdpSocket> simulator = UdpSocket::Create(error);
  if (!simulator || !simulator->Bind({*ParseIpv4Address(address.c_str()), 6060}, error)) {
    GTEST_SKIP() << address << ":6060: " << error;
  }
  // The answers of the Linux run, so its golden page shows.
  std::jthread answering([&simulator](std::stop_token stop) {
    char request[512];
    while (!stop.stop_requested()) {
      if (!simulator->WaitReadable(20)) continue;
      const ReceiveResult got = simulator->Receive(request);
      const bool fast = std::string_view(request, got.size) == kFastRequest;
      simulator->SendTo(got.sender, std::string_view(fast ? kFastAnswer : kSlowAnswer));
    }
  });
  folder.Write("LCD_Korvan.ini", "[DCS]\nPort=6060\nIP=" + address +
                                     "\nSleep=20\nCountdown=90\nAltitude=1000\nSpeed=300\n");
  HKEY key = nullptr;
  const std::string service = (ProgramFolder() / "app_recording_service.dll").string();
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(service.c_str()),
                 static_cast<DWORD>(service.size() + 1));
  RegCloseKey(key);
  SetEnvironmentVariableW(L"KORVAN_LCD_SERVICE", nullptr);
  SetEnvironmentVariableW(L"KORVAN_TEST_SERVICE_LOG", folder.path().c_str());

  const PROCESS_INFORMATION korvan = Start(folder.path(), L"");
  std::string log;
  for (int waited = 0; waited < 20000 && std::count(log.begin(), log.end(), '\n') < 60;
       waited += 20) {
    ::Sleep(20);
    log = ReadFile(folder.path() / "log");
  }
  const std::string frame = ReadFile(folder.path() / "frame");
  EXPECT_EQ(WaitForExit(Start(folder.path(), L" --stop"), 5000), 0);
  EXPECT_EQ(WaitForExit(korvan, 5000), 0) << ReadFile(folder.path() / "stderr");
  EXPECT_EQ(WaitForExit(Start(folder.path(), L" --stop"), 5000), 1);  // none runs now
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kServiceKey);

  EXPECT_TRUE(log.starts_with("connect Korvan mod v1.2  by  Taldor\npush 128\n")) << log;
  std::size_t pushes = 0, at128 = 0;
  for (std::size_t at = log.find("push"); at != std::string::npos; at = log.find("push", at + 1)) {
    ++pushes;
    at128 += log.compare(at, 9, "push 128\n") == 0;
  }
  EXPECT_EQ(at128, pushes) << log;
  ASSERT_EQ(frame.size(), std::size_t{LCD_FRAME_BYTES});
  EXPECT_TRUE(testing::MatchesGolden(
      "app-main-metric", testing::FrameToArt(reinterpret_cast<const std::uint8_t*>(&frame[4]),
                                             LCD_FRAME_WIDTH, LCD_FRAME_HEIGHT, LCD_FRAME_WIDTH)))
      << ReadFile(folder.path() / "stderr");
}

}  // namespace
}  // namespace korvan
