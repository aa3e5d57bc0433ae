#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvan::sim {

// A recorded flight is a text file, one datagram a line:
//
//   korvan-flight 1
//   T+120 > R/30/32/40/42/50
//   T+121 < A/30\300/32\5.5/40\1000/42\271.9/50\80%0A
//
// The header names the format and its version. `T+<ms>` is the time since
// the recording started, never decreasing; `>` a request to the simulator,
// `<` an answer from it, which belongs to the latest request above it. The
// datagram's bytes follow one blank: '!' to '~' as they are except '%', every
// other byte (blank, line end, '%', control and 8-bit bytes) as %HH.
inline constexpr char kFlightHeader[] = "korvan-flight 1";

// The longest datagram UDP over IPv4 carries.
inline constexpr std::size_t kMaxDatagram = 65507;

// A request and the answers recorded for it, at the request's time.
struct RecordedExchange {
  std::uint32_t offsetMs = 0;
  std::string request;
  std::vector<std::string> answers;
};

struct FlightRecording {
  std::vector<RecordedExchange> exchanges;
  std::uint32_t lengthMs = 0;  // the offset of the last line
};

// "T+<ms> <direction> <escaped bytes>\n".
std::string FormatRecordingLine(std::uint32_t offsetMs, char direction, std::string_view bytes);

// Reads a whole recording. On a malformed one returns false with `error`
// saying "line N: reason".
bool ParseFlightRecording(std::string_view text, FlightRecording& recording, std::string& error);

}  // namespace korvan::sim
