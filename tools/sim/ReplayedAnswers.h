#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/sim/AnswerSource.h"
#include "tools/sim/FlightRecording.h"

namespace korvan::sim {

// Reads a recorded flight from a file; false with `error` ("line N: reason",
// or why the file cannot be read) when it is no usable recording.
bool ReadFlightFile(const char* path, FlightRecording& recording, std::string& error);

// Answers as the recording did: a request gets the answers recorded for the
// same request text at its latest occurrence at or before the time, mapped
// onto the recording (modulo its length when looping). After the end, or
// before the request was first recorded, there is no answer.
class ReplayedAnswers final : public AnswerSource {
 public:
  ReplayedAnswers(FlightRecording recording, bool loop, std::FILE* log);

  std::vector<std::string> Answers(std::string_view request, double seconds) override;
  std::string Describe(double seconds) const override;

 private:
  // The recording's time for `seconds` of replay, or -1 past its end.
  std::int64_t RecordingTime(double seconds) const;

  FlightRecording recording_;
  bool loop_;
  std::FILE* log_;
  // For each request text, the indices of its exchanges, in time order.
  std::unordered_map<std::string, std::vector<std::size_t>> byRequest_;
  bool endReported_ = false;
};

}  // namespace korvan::sim
