// Any file is a recording or a refusal naming its line; what is accepted
// writes back to text that reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/sim/FlightRecording.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvan::sim;
  FlightRecording recording, again;
  std::string error;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!ParseFlightRecording(text, recording, error)) {
    if (!error.starts_with("line ")) __builtin_trap();
    return 0;
  }
  std::string written = std::string(kFlightHeader) + "\n";
  for (const RecordedExchange& exchange : recording.exchanges) {
    if (exchange.offsetMs > recording.lengthMs) __builtin_trap();
    written += FormatRecordingLine(exchange.offsetMs, '>', exchange.request);
    for (const std::string& answer : exchange.answers)
      written += FormatRecordingLine(exchange.offsetMs, '<', answer);
  }
  if (!ParseFlightRecording(written, again, error)) __builtin_trap();
  if (again.exchanges.size() != recording.exchanges.size()) __builtin_trap();
  for (std::size_t i = 0; i < again.exchanges.size(); ++i) {
    if (again.exchanges[i].request != recording.exchanges[i].request ||
        again.exchanges[i].answers != recording.exchanges[i].answers)
      __builtin_trap();
  }
  return 0;
}
