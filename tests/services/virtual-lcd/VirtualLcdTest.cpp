// The virtual LCD service loaded from its built library: settings, faults,
// recording, the button file and the web panel, every wait bounded.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <winsock2.h>  // it brings windows.h; windows.h first would bring old Winsock
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <list>

#include "lcdlink/LcdManagerService.h"
#include "platform/system/SocketLibrary.h"
#include "services/virtual-lcd/ButtonScript.h"
#include "services/virtual-lcd/Settings.h"
#include "services/virtual-lcd/VirtualLcd.h"
#include "tests/services/virtual-lcd/http/HttpClient.h"
#include "tests/support/Stderr.h"
#include "tests/support/TempDir.h"

namespace korvan::virtual_lcd {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// A frame block whose pixels are `value` but for those `marked`, `mark`.
std::string Frame(int value, std::initializer_list<int> marked = {}, int mark = 0) {
  std::string frame = std::string("\1\0\0\0", 4) + std::string(160 * 43, static_cast<char>(value));
  for (const int i : marked) frame[LCD_FRAME_HEADER_BYTES + i] = static_cast<char>(mark);
  return frame;
}

// Reads of any file answer at once: a FIFO (a named pipe on Windows) with no
// writer or a folder counts as 0, said once; a missing file is quietly 0.
TEST(ButtonScript, ReadsNeverWait) {
  korvan::testing::TempDir folder;
#ifdef _WIN32
  const fs::path fifo = "\\\\.\\pipe\\" + folder.path().filename().string();
  const HANDLE pipe =
      CreateNamedPipeW(fifo.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
#else
  const fs::path fifo = folder.path() / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  alarm(5);  // a read that waits for a writer ends the test
#endif
  // The file, the lines said on standard error.
  const std::pair<fs::path, long> rows[] = {
      {fifo, 1}, {folder.path(), 1}, {folder.path() / "none", 0}};
  for (const auto& [path, said] : rows) {
    ButtonScript script(path.string());
    const auto read = [&script, &file = path] { EXPECT_EQ(script.Read(), 0u) << file; };
    const std::string errors = korvan::testing::StderrOf(read);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), said) << errors;
    EXPECT_EQ(korvan::testing::StderrOf(read), "") << path;  // said once
  }
#ifdef _WIN32
  CloseHandle(pipe);
#else
  alarm(0);
#endif
}

// Seen by the plug-in, on the same C runtime; an empty value unsets (Windows keeps no empty one).
void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  value.empty() ? unsetenv(name) : setenv(name, value.c_str(), 1);
#endif
}

using SettingList = std::initializer_list<std::pair<const char*, std::string>>;

// Only the settings given, and no panel unless given.
void UseSettings(SettingList settings) {
  for (const char* name :
       {"LCD_VIRTUAL_RECORD", "LCD_VIRTUAL_RECORD_MAX", "LCD_VIRTUAL_RECORD_FORMAT",
        "LCD_VIRTUAL_BUTTONS", "LCD_VIRTUAL_FAULTS"})
    SetVariable(name, "");
  SetVariable("LCD_VIRTUAL_HTTP", "off");
  for (const auto& [name, value] : settings) SetVariable(name, value);
}

// The built service, loaded for real, with only the settings given.
struct VirtualService : LcdManagerService {
  explicit VirtualService(SettingList settings)
      : LcdManagerService(std::filesystem::path(KORVAN_VIRTUAL_LCD_PLUGIN)) {
    UseSettings(settings);
  }
  std::int32_t Open() {
    EXPECT_EQ(Startup(), kLcdOk);
    EXPECT_EQ(Connect(&connect), kLcdOk);
    LcdOpenContext open{connect.connection, 0, nullptr, nullptr, -1};
    EXPECT_EQ(OpenDevice(&open), kLcdOk);
    return open.device;
  }

  LcdConnectContext connect{};
};

// Where the panel listens, as LCD_VIRTUAL_HTTP says it; "-" for refused, which leaves it off.
TEST(Settings, ThePanelsAddressOrOff) {
  // clang-format off
  const std::pair<const char*, const char*> rows[] = {
      {"8161", "127.0.0.1:8161"}, {"0.0.0.0:0", "0.0.0.0:0"}, {"[::1]:9", "::1:9"}, {"off", "off"},
      {"[]:9", "-"}, {":9", "-"}, {"65536", "-"}, {"-1", "-"}, {"127.0.0.1:x", "-"}};
  // clang-format on
  for (const auto& [value, panel] : rows) {
    UseSettings({{"LCD_VIRTUAL_HTTP", value}});
    std::string problems;
    const Settings settings = Settings::FromEnvironment(&problems);
    const std::string got = settings.panel
                                ? settings.panel->host + ":" + std::to_string(settings.panel->port)
                            : problems.empty() ? "off"
                                               : "-";
    EXPECT_EQ(got, panel) << value;
  }
}

// One device; unknown handles (6) and parameters (87) refused; faults in turn;
// bad settings named; buttons from the file; of three frames, two recorded.
TEST(VirtualLcd, ServesOneDeviceAsItsSettingsSay) {
  korvan::testing::TempDir folder;
  VirtualService service(
      {{"LCD_VIRTUAL_HTTP", "65536"},
       {"LCD_VIRTUAL_RECORD", (folder.path() / "frames").string()},
       {"LCD_VIRTUAL_RECORD_MAX", "2"},
       {"LCD_VIRTUAL_FAULTS", "query259=0,query259=-1,query259=1,push1167=2,read=1:31,push=0:5"},
       {"LCD_VIRTUAL_RECORD_FORMAT", "bmp"},
       {"LCD_VIRTUAL_BUTTONS", folder.Write("buttons", " 25\n").string()}});
  std::int32_t device = 0;
  EXPECT_EQ(korvan::testing::StderrOf([&] { device = service.Open(); }),
            "lcd-virtual: LCD_VIRTUAL_HTTP=65536 is not host:port or off; the web panel stays "
            "off\nlcd-virtual: LCD_VIRTUAL_RECORD_FORMAT=bmp is not pgm or png; recording PGM\n"
            "lcd-virtual: LCD_VIRTUAL_FAULTS: ignored query259=-1, push=0:5 (see the plug-in's "
            "README)\n");
  const std::int32_t connection = service.connect.connection;
  LcdDeviceDescription description{};
  EXPECT_EQ(service.QueryDevice(connection, 0, &description), kLcdNoMoreItems);  // the fault
  EXPECT_EQ(service.QueryDevice(connection, 0, &description), kLcdOk);
  EXPECT_EQ(service.QueryDevice(connection, 1, &description), kLcdNoMoreItems);
  EXPECT_EQ(service.QueryDevice(connection + 9, 0, &description), 6);
  EXPECT_EQ(service.PushFrame(device, Frame(255).data(), 128), kLcdOk);
  EXPECT_EQ(service.PushFrame(device, Frame(0).data(), 128), kLcdDeviceNotConnected);
  EXPECT_EQ(service.PushFrame(device, nullptr, 128), 87);
  std::uint32_t mask = 0;
  EXPECT_EQ(service.ReadButtons(device, &mask), 31);
  EXPECT_EQ(service.ReadButtons(device, &mask), kLcdOk);
  EXPECT_EQ(mask, 9u);
  EXPECT_EQ(service.ReadButtons(device + 9, &mask), kLcdDeviceNotConnected);
  EXPECT_EQ(service.Connect(nullptr), 87);
  EXPECT_EQ(service.SetForeground(device, 1) + service.SetForeground(device + 9, 1), 6);
  EXPECT_EQ(service.PushFrame(device, Frame(1).data(), 128), kLcdOk);
  EXPECT_EQ(service.PushFrame(device, Frame(2).data(), 128), kLcdOk);
  EXPECT_EQ(service.Disconnect(connection), kLcdOk);  // closes its device too
  EXPECT_EQ(service.CloseDevice(device), 6);
  EXPECT_EQ(service.Cleanup(), kLcdOk);  // the recorder has written every frame
  std::vector<std::string> recorded;
  for (const auto& file : std::filesystem::directory_iterator(folder.path() / "frames"))
    recorded.push_back(file.path().filename().string());
  std::sort(recorded.begin(), recorded.end());
  EXPECT_EQ(recorded, (std::vector<std::string>{"frame-000001.pgm", "frame-000002.pgm"}));
}

// Before Startup and after Cleanup alike; a handle from before is not one after.
TEST(VirtualLcd, WhenStoppedAnswersOnlyStartupAndForgetsItsHandles) {
  UseSettings({{"LCD_VIRTUAL_RECORD_MAX", "0"}});  // a count: none recorded, nothing to say
  VirtualLcd lcd;
  LcdConnectContext connect{};
  LcdOpenContext open{};
  LcdDeviceDescription description{};
  std::uint32_t mask = 0;
  const std::string frame = Frame(0);
  for (int round = 0; round < 2; ++round) {
    for (const std::int32_t code :
         {lcd.Connect(&connect), lcd.Disconnect(1), lcd.QueryDevice(1, 0, &description),
          lcd.OpenDevice(&open), lcd.CloseDevice(2), lcd.ReadButtons(2, &mask),
          lcd.PushFrame(2, frame.data(), 128), lcd.SetForeground(2, 1)})
      EXPECT_EQ(code, kLcdServiceNotActive) << round;
    EXPECT_EQ(korvan::testing::StderrOf([&] { EXPECT_EQ(lcd.Startup(), kLcdOk); }), "");
    EXPECT_EQ(lcd.PushFrame(2, frame.data(), 128), kLcdDeviceNotConnected) << round;
    ASSERT_EQ(lcd.Connect(&connect), kLcdOk);
    open.connection = connect.connection;
    ASSERT_EQ(lcd.OpenDevice(&open), kLcdOk);
    EXPECT_EQ(lcd.Cleanup(), kLcdOk);
  }
}

// A raw connection that asked for the event stream, held open unread.
struct Stream {
  explicit Stream(int port)
      : socket(Dial(port, "GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")) {}
  ~Stream() { CloseSocket(socket); }
  const SocketHandle socket;
};

// A taken port is said in one line; the service runs on without a panel. Of twelve open pages four
// get streams (heartbeats, frames), the rest "retry in 5 s"; polls answer; gone pages free theirs.
TEST(Panel, TakenPortThenManyOpenPages) {
  const char* base = getenv("KORVAN_TEST_PORT_BASE");
  const int port = (base != nullptr ? std::stoi(base) : 18160) + 1;
  const std::string taken = "127.0.0.1:" + std::to_string(port + 3);
  VirtualService service({{"LCD_VIRTUAL_HTTP", taken}});
  SocketLibrary sockets;  // the taker's own
  std::string error;
  ASSERT_TRUE(sockets.Start(error)) << error;
  const SocketHandle taker = ListenOn("127.0.0.1", port + 3).socket;
  ASSERT_NE(taker, kNoSocket);
  const std::string said = korvan::testing::StderrOf([&] { service.Open(); });
  EXPECT_EQ(said.rfind("lcd-virtual: web panel off: cannot listen on " + taken, 0), 0u) << said;
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
  ASSERT_EQ(service.Cleanup(), kLcdOk);
  CloseSocket(taker);
  sockets.Release();

  SetVariable("LCD_VIRTUAL_HTTP", std::to_string(port));  // a bare port: on loopback
  const std::int32_t device = service.Open();
  std::list<Stream> pages;
  for (int i = 0; i < 12; ++i)
    EXPECT_TRUE(Sees(pages.emplace_back(port).socket, i < 4 ? " 200 OK" : "Retry-After: 5", 2s))
        << i;
  EXPECT_TRUE(
      Sees(pages.front().socket, "data: {\"seq\":0,\"connected\":true,\"result\":0}", 1500ms));
  const std::string shown = "{\"seq\":1,\"connected\":true,\"result\":0,\"pixels\":\"8040";
  ASSERT_EQ(service.PushFrame(device, Frame(128, {0, 9}, 129).data(), 128), 0);
  EXPECT_TRUE(Sees(pages.front().socket, "data: " + shown, 1s));
  const std::string frame = Ask(port, "GET /frame HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
  EXPECT_EQ(frame.substr(frame.find("\r\n\r\n") + 4, shown.size()), shown) << frame;
  const std::string press = Press("Host: 127.0.0.1\r\n", "application/json", "{\"mask\":8}");
  EXPECT_EQ(Ask(port, press).substr(0, 12), "HTTP/1.1 200");
  std::uint32_t mask = 0;
  EXPECT_EQ(service.ReadButtons(device, &mask), kLcdOk);
  EXPECT_EQ(mask, 8u);
  pages.erase(std::next(pages.begin()), pages.end());  // the first stays open as the service stops
  bool admitted = false;
  for (const auto end = Clock::now() + 3s; !admitted && Clock::now() < end;)
    admitted = Sees(Stream(port).socket, "HTTP/1.1 200", 1s);
  EXPECT_TRUE(admitted);
  EXPECT_EQ(service.Cleanup(), kLcdOk);
}

}  // namespace
}  // namespace korvan::virtual_lcd
