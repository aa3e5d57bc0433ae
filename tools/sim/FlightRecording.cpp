#include "tools/sim/FlightRecording.h"

#include <charconv>
#include <utility>

namespace korvan::sim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
// More answers than this to one request is no recording of a simulator;
// replaying them would flood whoever asks.
constexpr std::size_t kMaxAnswersPerRequest = 16;

bool Plain(unsigned char byte) {
  return byte > ' ' && byte <= '~' && byte != '%';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Undoes the escaping; a reason when the text is not escaped text.
const char* Unescape(std::string_view text, std::string& bytes) {
  bytes.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%') {
      const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
      const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
      if (low < 0) return "'%' without two hexadecimal digits";
      bytes.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else if (!Plain(static_cast<unsigned char>(c))) {
      return "a blank or control byte not written as %HH";
    } else {
      bytes.push_back(c);
    }
    if (bytes.size() > kMaxDatagram) return "a datagram longer than UDP carries";
  }
  return nullptr;
}

// One "T+<ms> <direction> <text>" line into its parts; a reason when it is not one.
const char* SplitLine(std::string_view line, std::uint32_t& offset, char& direction,
                      std::string_view& text) {
  if (!line.starts_with("T+")) return "expected T+<ms>";
  const char* digits = line.data() + 2;
  const auto [end, error] = std::from_chars(digits, line.data() + line.size(), offset);
  if (end == digits || (error != std::errc() && error != std::errc::result_out_of_range))
    return "expected T+<ms>";
  if (error == std::errc::result_out_of_range) return "time out of range";
  const std::string_view rest(end, static_cast<std::size_t>(line.data() + line.size() - end));
  if (rest.size() < 2 || rest[0] != ' ' || (rest[1] != '>' && rest[1] != '<'))
    return "expected ' >' or ' <' after the time";
  direction = rest[1];
  text = rest.substr(2);
  if (!text.empty() && text.front() != ' ') return "expected a blank before the datagram";
  if (!text.empty()) text.remove_prefix(1);
  return nullptr;
}

// Adds one line's datagram to the recording; a reason when it cannot.
const char* AddLine(std::string_view line, FlightRecording& recording, std::string& bytes) {
  std::uint32_t offset = 0;
  char direction = 0;
  std::string_view text;
  if (const char* reason = SplitLine(line, offset, direction, text)) return reason;
  if (offset < recording.lengthMs) return "time goes back";
  if (const char* reason = Unescape(text, bytes)) return reason;
  recording.lengthMs = offset;
  if (direction == '>') {
    recording.exchanges.push_back({offset, std::move(bytes), {}});
    return nullptr;
  }
  if (recording.exchanges.empty()) return "an answer before any request";
  std::vector<std::string>& answers = recording.exchanges.back().answers;
  if (answers.size() == kMaxAnswersPerRequest) return "too many answers to one request";
  answers.push_back(std::move(bytes));
  return nullptr;
}

}  // namespace

std::string FormatRecordingLine(std::uint32_t offsetMs, char direction, std::string_view bytes) {
  std::string line = "T+" + std::to_string(offsetMs) + ' ' + direction + ' ';
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (Plain(byte)) {
      line.push_back(c);
    } else {
      line += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  line.push_back('\n');
  return line;
}

bool ParseFlightRecording(std::string_view text, FlightRecording& recording, std::string& error) {
  recording = {};
  std::string bytes;
  std::size_t number = 1;
  const char* reason = nullptr;
  for (bool header = true; reason == nullptr && (header || !text.empty()); ++number) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);  // a checkout with Windows line ends
    if (std::exchange(header, false)) {
      if (line != kFlightHeader) reason = "not a recorded flight (no \"korvan-flight 1\" line)";
    } else if (!line.empty()) {
      reason = AddLine(line, recording, bytes);
    }
  }
  if (reason == nullptr && recording.exchanges.empty()) reason = "no request recorded";
  if (reason != nullptr) {
    error = "line " + std::to_string(number - 1) + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace korvan::sim
