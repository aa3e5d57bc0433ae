#include "lcdlink/LcdManagerService.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

namespace korvan {
namespace {

// A service table whose operations record their calls and answer what the
// test sets. One at a time: the slots are plain functions.
struct FakeService {
  static inline std::vector<std::string> calls;
  static inline std::int32_t startupResult = 0;
  static inline std::int32_t cleanupResult = 0;

  static LcdServiceTable Table() {
    calls.clear();
    startupResult = 0;
    cleanupResult = 0;
    LcdServiceTable table{};
    table.Startup = [] { return Record("Startup", startupResult); };
    table.Cleanup = [] { return Record("Cleanup", cleanupResult); };
    table.Connect = [](LcdConnectContext*) { return Record("Connect", 0); };
    table.Disconnect = [](std::int32_t) { return Record("Disconnect", 0); };
    table.QueryDevice = [](std::int32_t, std::int32_t, LcdDeviceDescription*) {
      return Record("QueryDevice", 0);
    };
    table.OpenDevice = [](LcdOpenContext*) { return Record("OpenDevice", 0); };
    table.CloseDevice = [](std::int32_t) { return Record("CloseDevice", 0); };
    table.ReadButtons = [](std::int32_t, std::uint32_t*) { return Record("ReadButtons", 0); };
    table.PushFrame = [](std::int32_t, const void*, std::int32_t) {
      return Record("PushFrame", 0);
    };
    table.SetForeground = [](std::int32_t, std::int32_t) { return Record("SetForeground", 0); };
    return table;
  }

  static std::int32_t Record(const char* name, std::int32_t result) {
    calls.emplace_back(name);
    return result;
  }
};

// Calls every operation but Startup and Cleanup, returning their results.
std::vector<std::int32_t> CallEveryOperation(LcdManagerService& service) {
  LcdConnectContext connect{};
  LcdOpenContext open{};
  LcdDeviceDescription description{};
  std::uint32_t mask = 0;
  const unsigned char frame[LCD_FRAME_BYTES] = {1};
  return {service.Connect(&connect),
          service.Disconnect(1),
          service.QueryDevice(1, 0, &description),
          service.OpenDevice(&open),
          service.CloseDevice(1),
          service.ReadButtons(1, &mask),
          service.PushFrame(1, frame, 128),
          service.SetForeground(1, 0)};
}

TEST(LcdManagerService, OperationsBeforeStartupAnswerNotActiveWithoutCallingTheTable) {
  const LcdServiceTable table = FakeService::Table();
  LcdManagerService service(table);
  EXPECT_EQ(CallEveryOperation(service), std::vector<std::int32_t>(8, kLcdServiceNotActive));
  EXPECT_EQ(service.Cleanup(), kLcdOk);
  EXPECT_TRUE(FakeService::calls.empty());
}

TEST(LcdManagerService, StartedServicePassesEveryOperationToItsSlot) {
  const LcdServiceTable table = FakeService::Table();
  LcdManagerService service(table);
  ASSERT_EQ(service.Startup(), kLcdOk);
  EXPECT_EQ(CallEveryOperation(service), std::vector<std::int32_t>(8, kLcdOk));
  EXPECT_EQ(FakeService::calls, (std::vector<std::string>{
                                    "Startup", "Connect", "Disconnect", "QueryDevice", "OpenDevice",
                                    "CloseDevice", "ReadButtons", "PushFrame", "SetForeground"}));
}

// Started once whatever the plug-in's Startup answered, stopped by Cleanup
// (which passes the plug-in's answer back) or by being dropped.
TEST(LcdManagerService, StartsOnceStopsOnCleanupAndCleansUpWhenDropped) {
  const LcdServiceTable table = FakeService::Table();
  FakeService::startupResult = 31;
  FakeService::cleanupResult = 5;
  {
    LcdManagerService service(table);
    EXPECT_EQ(service.Startup(), 31);
    EXPECT_EQ(service.Startup(), kLcdAlreadyInitialized);
    LcdConnectContext context{};
    EXPECT_EQ(service.Connect(&context), kLcdOk) << "a failed plug-in startup still started";
    EXPECT_EQ(service.Cleanup(), 5);
    EXPECT_EQ(service.PushFrame(1, nullptr, 128), kLcdServiceNotActive);
    EXPECT_EQ(service.Cleanup(), kLcdOk);
    EXPECT_EQ(service.Startup(), 31) << "may be started again";
  }
  EXPECT_EQ(FakeService::calls,
            (std::vector<std::string>{"Startup", "Connect", "Cleanup", "Startup", "Cleanup"}));
}

TEST(LcdManagerService, TableLackingAnOperationIsRefused) {
  LcdServiceTable table = FakeService::Table();
  table.SetForeground = nullptr;
  LcdManagerService service(table);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(service.Startup(), kLcdServerUnavailable);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("lacks an operation"), std::string::npos);
  EXPECT_EQ(service.Connect(nullptr), kLcdServiceNotActive);
  EXPECT_TRUE(FakeService::calls.empty());
}

// The real loader, with real libraries. Each failure gives 1722, leaves the
// service stopped and tells on one line of standard error why.
struct LoadFailure {
  const char* name;
  const char* path;
  const char* because;
};

class LcdManagerServiceLoading : public ::testing::TestWithParam<LoadFailure> {};

TEST_P(LcdManagerServiceLoading, FailureAnswersServerUnavailableAndSaysWhy) {
  LcdManagerService service{std::filesystem::path(GetParam().path)};
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(service.Startup(), kLcdServerUnavailable);
  const std::string message = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(service.IsStarted());
  EXPECT_EQ(service.Connect(nullptr), kLcdServiceNotActive);
  EXPECT_NE(message.find(GetParam().path), std::string::npos) << message;
  EXPECT_NE(message.find(GetParam().because), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
  // Nothing is left half-loaded: a second try fails the same way.
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(service.Startup(), kLcdServerUnavailable);
  ::testing::internal::GetCapturedStderr();
}

INSTANTIATE_TEST_SUITE_P(
    RealLibraries, LcdManagerServiceLoading,
    ::testing::Values(LoadFailure{"MissingFile", "/nonexistent/liblcd-virtual.so", "No such file"},
                      LoadFailure{"NoEntryPoint", KORVAN_NO_ENTRY_PLUGIN, "GetInterface"},
                      LoadFailure{"NoTable", KORVAN_NULL_TABLE_PLUGIN, "no table"}),
    [](const ::testing::TestParamInfo<LoadFailure>& info) { return info.param.name; });

TEST(LcdManagerServiceLoading, VirtualServiceLoadsStartsAndUnloads) {
  setenv("LCD_VIRTUAL_HTTP", "off", 1);
  LcdManagerService service{std::filesystem::path(KORVAN_VIRTUAL_LCD_PLUGIN)};
  ASSERT_EQ(service.Startup(), kLcdOk);
  LcdConnectContext context{};
  context.connection = -1;
  ASSERT_EQ(service.Connect(&context), kLcdOk);
  EXPECT_NE(context.connection, -1);
  EXPECT_EQ(service.Disconnect(context.connection), kLcdOk);
  EXPECT_EQ(service.Cleanup(), kLcdOk);
  // Loaded afresh, the plug-in starts again.
  EXPECT_EQ(service.Startup(), kLcdOk);
  EXPECT_EQ(service.Cleanup(), kLcdOk);
}

TEST(LcdServiceLibraryPath, ComesFromTheEnvironmentElseBesideTheProgram) {
  setenv("KORVAN_LCD_SERVICE", "/opt/lcd/libservice.so", 1);
  EXPECT_EQ(LcdServiceLibraryPath(), "/opt/lcd/libservice.so");
  unsetenv("KORVAN_LCD_SERVICE");
  // The test program lives in build/tests.
  EXPECT_EQ(LcdServiceLibraryPath().filename(), "liblcd-virtual.so");
  EXPECT_EQ(LcdServiceLibraryPath().parent_path().filename(), "tests");
}

}  // namespace
}  // namespace korvan
