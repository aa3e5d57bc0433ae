#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::testing {

// A service table whose answers a test scripts and whose calls it reads
// back as one line of short names. The slots are plain functions, so the
// state is static: one at a time.
struct ScriptedService {
  static inline std::string calls;
  static inline std::int32_t startupResult = 0;
  static inline std::int32_t queryResult = 0, pushResult = 0, readResult = 0;  // once, then 0
  static inline std::uint32_t buttons = 0;
  static inline LcdConnectContext connected{};  // what the last Connect was given
  static inline std::vector<std::uint8_t> lastFrame;  // the last frame pushed, header included

  static LcdServiceTable Table() {
    calls.clear();
    startupResult = queryResult = pushResult = readResult = 0;
    buttons = 0;
    LcdServiceTable table{};
    table.Startup = [] { return Record("startup", startupResult); };
    table.Cleanup = [] { return Record("cleanup", 0); };
    table.Connect = [](LcdConnectContext* context) {
      connected = *context;
      context->connection = 101;
      return Record("connect", 0);
    };
    table.Disconnect = [](std::int32_t) { return Record("disconnect", 0); };
    table.QueryDevice = [](std::int32_t, std::int32_t, LcdDeviceDescription*) {
      return Record("query", std::exchange(queryResult, 0));
    };
    table.OpenDevice = [](LcdOpenContext* context) {
      context->device = 201;
      return Record("open", 0);
    };
    table.CloseDevice = [](std::int32_t) { return Record("close", 0); };
    table.ReadButtons = [](std::int32_t, std::uint32_t* mask) {
      *mask = readResult == 0 ? buttons : 0;
      return Record("read", std::exchange(readResult, 0));
    };
    // A push at other than the usual priority 128 is named with it.
    table.PushFrame = [](std::int32_t, const void* frame, std::int32_t priority) {
      const auto* bytes = static_cast<const std::uint8_t*>(frame);
      lastFrame.assign(bytes, bytes + LCD_FRAME_BYTES);
      return Record(priority == 128 ? "push" : "push" + std::to_string(priority),
                    std::exchange(pushResult, 0));
    };
    table.SetForeground = [](std::int32_t, std::int32_t) { return Record("foreground", 0); };
    return table;
  }

  static std::int32_t Record(const std::string& name, std::int32_t result) {
    calls += (calls.empty() ? "" : " ") + name;
    return result;
  }
  // The calls since the last look, and forgets them.
  static std::string Take() { return std::exchange(calls, std::string()); }
};

}  // namespace korvan::testing
