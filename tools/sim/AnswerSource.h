#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvan::sim {

// Where the stand-in's answers come from: the scripted flight or a recording.
class AnswerSource {
 public:
  virtual ~AnswerSource() = default;

  // The datagrams that answer `request` `seconds` after the start; none when
  // the request has no answer.
  virtual std::vector<std::string> Answers(std::string_view request, double seconds) = 0;

  // A few words on the flight at that time, for the log line.
  virtual std::string Describe(double seconds) const = 0;
};

}  // namespace korvan::sim
