#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::testing {

// A service table whose answers a test scripts and whose calls it reads
// back. The slots are plain functions, so the state is static: one at a time.
struct ScriptedService {
  static inline std::vector<std::string> calls;
  static inline std::int32_t startupResult = 0;
  static inline std::int32_t connectResult = 0;
  static inline std::deque<std::int32_t> queryResults;  // then 0
  static inline std::deque<std::int32_t> pushResults;   // then 0
  static inline std::deque<std::int32_t> readResults;   // then 0
  static inline std::uint32_t buttons = 0;
  static inline std::vector<std::int32_t> pushPriorities;
  static inline std::vector<std::uint8_t> lastFrame;
  static inline std::int32_t nextHandle = 1;

  static LcdServiceTable Table() {
    calls.clear();
    startupResult = connectResult = 0;
    queryResults.clear();
    pushResults.clear();
    readResults.clear();
    buttons = 0;
    pushPriorities.clear();
    lastFrame.clear();
    nextHandle = 1;
    LcdServiceTable table{};
    table.Startup = [] { return Record("Startup", startupResult); };
    table.Cleanup = [] { return Record("Cleanup", 0); };
    table.Connect = [](LcdConnectContext* context) {
      if (connectResult == 0) context->connection = 100 + nextHandle++;
      return Record("Connect", connectResult);
    };
    table.Disconnect = [](std::int32_t) { return Record("Disconnect", 0); };
    table.QueryDevice = [](std::int32_t, std::int32_t, LcdDeviceDescription*) {
      return Record("QueryDevice", Next(queryResults));
    };
    table.OpenDevice = [](LcdOpenContext* context) {
      context->device = 200 + nextHandle++;
      return Record("OpenDevice", 0);
    };
    table.CloseDevice = [](std::int32_t) { return Record("CloseDevice", 0); };
    table.ReadButtons = [](std::int32_t, std::uint32_t* mask) {
      const std::int32_t result = Next(readResults);
      if (result == 0) *mask = buttons;
      return Record("ReadButtons", result);
    };
    table.PushFrame = [](std::int32_t, const void* frame, std::int32_t priority) {
      pushPriorities.push_back(priority);
      const auto* bytes = static_cast<const std::uint8_t*>(frame);
      lastFrame.assign(bytes, bytes + LCD_FRAME_BYTES);
      return Record("PushFrame", Next(pushResults));
    };
    table.SetForeground = [](std::int32_t, std::int32_t) { return Record("SetForeground", 0); };
    return table;
  }

  // The calls since the last look, and forgets them.
  static std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
  }

 private:
  static std::int32_t Next(std::deque<std::int32_t>& results) {
    if (results.empty()) return 0;
    const std::int32_t result = results.front();
    results.pop_front();
    return result;
  }
  static std::int32_t Record(const char* name, std::int32_t result) {
    calls.emplace_back(name);
    return result;
  }
};

}  // namespace korvan::testing
