#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "lcdlink/LcdServiceInterface.h"

namespace korvan::testing {

// A service table whose answers a test scripts and whose calls it reads back as one line of short
// names; its slots are plain functions (__stdcall on 32-bit Windows), so one at a time.
struct ScriptedService {
  static inline std::string calls;
  static inline std::map<std::string, std::int32_t> answers;  // a call's next answer, once; else 0
  static inline std::uint32_t buttons = 0;
  static inline LcdConnectContext connected{};        // what the last Connect was given
  static inline std::vector<std::uint8_t> lastFrame;  // the last frame pushed, header included

  static LcdServiceTable Table() {
    calls.clear();
    answers.clear();
    buttons = 0;
    LcdServiceTable table{};
    table.Startup = []() KORVAN_LCD_CALL { return Record("startup"); };
    table.Cleanup = []() KORVAN_LCD_CALL { return Record("cleanup"); };
    table.Connect = [](LcdConnectContext* context) KORVAN_LCD_CALL {
      connected = *context;
      context->connection = 101;
      return Record("connect");
    };
    table.Disconnect = [](int) KORVAN_LCD_CALL { return Record("disconnect"); };
    table.QueryDevice = [](int, int, LcdDeviceDescription*)
                            KORVAN_LCD_CALL { return Record("query"); };
    table.OpenDevice = [](LcdOpenContext* context) KORVAN_LCD_CALL {
      context->device = 201;
      return Record("open");
    };
    table.CloseDevice = [](int) KORVAN_LCD_CALL { return Record("close"); };
    table.ReadButtons = [](int, std::uint32_t* mask) KORVAN_LCD_CALL {
      const std::int32_t result = Record("read");
      if (result == 0) *mask = buttons;  // a failed read leaves the mask as it was
      return result;
    };
    // A push at other than the usual priority 128 is named with it.
    table.PushFrame = [](int, const void* frame, int priority) KORVAN_LCD_CALL {
      const auto* bytes = static_cast<const std::uint8_t*>(frame);
      lastFrame.assign(bytes, bytes + LCD_FRAME_BYTES);
      return Record(priority == 128 ? "push" : "push" + std::to_string(priority));
    };
    table.SetForeground = [](int, int) KORVAN_LCD_CALL { return Record("foreground"); };
    return table;
  }

  static std::int32_t Record(const std::string& name) {
    calls += (calls.empty() ? "" : " ") + name;
    return std::exchange(answers[name], 0);
  }
  static std::string Take() { return std::exchange(calls, std::string()); }
};

}  // namespace korvan::testing
