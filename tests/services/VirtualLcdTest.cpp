// The virtual LCD service as the program meets it: loaded from the built
// library and called through its function table.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/services/VirtualLcdEnvironment.h"
#include "tests/services/VirtualService.h"
#include "tests/support/TempDir.h"

namespace korvan {
namespace {

using testing::FrameBlock;
using testing::TempDir;
using testing::VirtualService;

constexpr std::int32_t kInvalidHandle = 6;
constexpr std::int32_t kInvalidParameter = 87;

std::string Frame(int value) {
  return FrameBlock([value](int) { return value; });
}

class VirtualLcd : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetVirtualLcdEnvironment(); }
};

TEST_F(VirtualLcd, ServesOneDeviceAndRefusesUnknownHandles) {
  VirtualService service;
  const std::int32_t device = service.Open();
  LcdDeviceDescription description{};
  EXPECT_EQ(service->QueryDevice(service.connection(), 1, &description), kLcdNoMoreItems);
  EXPECT_EQ(service->QueryDevice(service.connection() + 100, 0, &description), kInvalidHandle);
  EXPECT_EQ(service->SetForeground(device, 0), kLcdOk);
  EXPECT_EQ(service.Push(device, Frame(255)), kLcdOk);
  EXPECT_EQ(service.Push(device + 100, Frame(255)), kLcdDeviceNotConnected);
  EXPECT_EQ(service->PushFrame(device, nullptr, 128), kInvalidParameter);
  EXPECT_EQ(service->Connect(nullptr), kInvalidParameter);
  // Closing the connection closes its device.
  EXPECT_EQ(service->Disconnect(service.connection()), kLcdOk);
  EXPECT_EQ(service.Push(device, Frame(255)), kLcdDeviceNotConnected);
  EXPECT_EQ(service->CloseDevice(device), kInvalidHandle);
  EXPECT_EQ(service->Cleanup(), kLcdOk);
}

TEST_F(VirtualLcd, InjectedFaultsAnswerInTurnAndCountAfreshAfterARestart) {
  setenv("LCD_VIRTUAL_FAULTS", "query259=1,push1167=2,push=3:31,read=1:1167", 1);
  for (int round = 0; round < 2; ++round) {
    VirtualService service;
    ASSERT_EQ(service->Startup(), kLcdOk);
    LcdConnectContext connect{};
    ASSERT_EQ(service->Connect(&connect), kLcdOk);
    LcdDeviceDescription description{};
    EXPECT_EQ(service->QueryDevice(connect.connection, 0, &description), kLcdNoMoreItems);
    EXPECT_EQ(service->QueryDevice(connect.connection, 0, &description), kLcdOk);
    LcdOpenContext open{};
    open.connection = connect.connection;
    ASSERT_EQ(service->OpenDevice(&open), kLcdOk);
    EXPECT_EQ(service.Push(open.device, Frame(0)), kLcdOk);
    EXPECT_EQ(service.Push(open.device, Frame(0)), kLcdDeviceNotConnected);
    EXPECT_EQ(service.Push(open.device, Frame(0)), 31);
    EXPECT_EQ(service.Push(open.device, Frame(0)), kLcdOk);
    std::uint32_t mask = 5;
    EXPECT_EQ(service->ReadButtons(open.device, &mask), kLcdDeviceNotConnected);
    EXPECT_EQ(service.Buttons(open.device), 0u);
    EXPECT_EQ(service->Cleanup(), kLcdOk);
  }
}

TEST_F(VirtualLcd, StartupAndConnectFaultsFailEveryTime) {
  {
    setenv("LCD_VIRTUAL_FAULTS", "startup=1722", 1);
    VirtualService service;
    EXPECT_EQ(service->Startup(), 1722);
    LcdConnectContext connect{};
    EXPECT_EQ(service->Connect(&connect), kLcdServiceNotActive);  // the plug-in never started
    EXPECT_EQ(service->Cleanup(), kLcdOk);
  }
  {
    setenv("LCD_VIRTUAL_FAULTS", "connect=1167", 1);
    VirtualService service;
    ASSERT_EQ(service->Startup(), kLcdOk);
    LcdConnectContext connect{};
    connect.connection = -1;
    EXPECT_EQ(service->Connect(&connect), kLcdDeviceNotConnected);
    EXPECT_EQ(service->Connect(&connect), kLcdDeviceNotConnected);
    EXPECT_EQ(connect.connection, -1);
  }
}

TEST_F(VirtualLcd, UnreadableSettingsAreReportedAndTheServiceStartsAnyway) {
  setenv("LCD_VIRTUAL_HTTP", "localhost:http", 1);
  setenv("LCD_VIRTUAL_FAULTS", "push=7,push1167=1", 1);
  VirtualService service;
  ::testing::internal::CaptureStderr();
  const std::int32_t device = service.Open();
  const std::string messages = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(service.Push(device, Frame(0)), kLcdDeviceNotConnected);  // the readable fault holds
  EXPECT_NE(messages.find("LCD_VIRTUAL_HTTP=localhost:http"), std::string::npos) << messages;
  EXPECT_NE(messages.find("ignored push=7"), std::string::npos) << messages;
  EXPECT_EQ(messages.find("web panel at"), std::string::npos) << messages;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

TEST_F(VirtualLcd, RecordsEveryShownFrameUpToTheLimit) {
  TempDir folder;
  setenv("LCD_VIRTUAL_RECORD", (folder.path() / "run").c_str(), 1);
  setenv("LCD_VIRTUAL_RECORD_MAX", "3", 1);
  setenv("LCD_VIRTUAL_FAULTS", "push1167=2", 1);
  VirtualService service;
  const std::int32_t device = service.Open();
  for (int value : {10, 20, 30, 40, 50}) service.Push(device, Frame(value));
  ASSERT_EQ(service->Cleanup(), kLcdOk);  // the recorder has caught up when this returns
  const std::string header = "P5\n160 43\n255\n";
  const auto pixels = [](int value) { return Frame(value).substr(LCD_FRAME_HEADER_BYTES); };
  EXPECT_EQ(ReadFile(folder.path() / "run" / "frame-000001.pgm"), header + pixels(10));
  EXPECT_EQ(ReadFile(folder.path() / "run" / "frame-000002.pgm"), header + pixels(30));
  EXPECT_EQ(ReadFile(folder.path() / "run" / "frame-000003.pgm"), header + pixels(40));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "run" / "frame-000004.pgm"));
}

TEST_F(VirtualLcd, ScriptedButtonsFollowTheFileOnEveryRead) {
  TempDir folder;
  const auto script = folder.path() / "buttons";
  setenv("LCD_VIRTUAL_BUTTONS", script.c_str(), 1);
  VirtualService service;
  const std::int32_t device = service.Open();
  EXPECT_EQ(service.Buttons(device), 0u);  // no file yet
  folder.Write("buttons", "4\n");
  EXPECT_EQ(service.Buttons(device), 4u);
  folder.Write("buttons", "9");
  EXPECT_EQ(service.Buttons(device), 9u);
  std::uint32_t mask = 0;
  EXPECT_EQ(service->ReadButtons(device + 100, &mask), kLcdDeviceNotConnected);
}

TEST_F(VirtualLcd, TerminalViewDrawsOnlyChangedFrames) {
  setenv("LCD_VIRTUAL_TERMINAL", "on", 1);
  VirtualService service;
  const std::int32_t device = service.Open();
  ::testing::internal::CaptureStderr();
  for (int value : {0, 0, 255, 200, 0}) service.Push(device, Frame(value));
  ASSERT_EQ(service->Cleanup(), kLcdOk);
  const std::string drawn = ::testing::internal::GetCapturedStderr();
  // Three drawings (dark, lit, dark) of 22 lines each.
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\n'), 3 * 22) << drawn;
}

}  // namespace
}  // namespace korvan
