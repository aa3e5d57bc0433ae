#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace korvan::virtual_lcd {

// Faults injected into the service's answers, from LCD_VIRTUAL_FAULTS.
// Counts start at 1 with every Startup; see README.md for the syntax.
class FaultPlan {
 public:
  // Items that cannot be read are skipped and described in `problems`.
  static FaultPlan Parse(std::string_view text, std::string* problems);

  // Each returns the code to answer instead of serving the call, or 0.
  std::int32_t OnStartup() const { return startup_; }
  std::int32_t OnConnect() const { return connect_; }
  std::int32_t OnQuery() { return ++queries_ <= query259Count_ ? 259 : 0; }
  std::int32_t OnPush() { return CodeFor(pushes_, ++pushCount_); }
  std::int32_t OnRead() { return CodeFor(reads_, ++readCount_); }

 private:
  static std::int32_t CodeFor(const std::map<std::int64_t, std::int32_t>& plan,
                              std::int64_t number);

  std::int32_t startup_ = 0;
  std::int32_t connect_ = 0;
  std::int64_t query259Count_ = 0;
  std::int64_t queries_ = 0;
  std::map<std::int64_t, std::int32_t> pushes_;  // push number -> code
  std::int64_t pushCount_ = 0;
  std::map<std::int64_t, std::int32_t> reads_;  // button read number -> code
  std::int64_t readCount_ = 0;
};

}  // namespace korvan::virtual_lcd
