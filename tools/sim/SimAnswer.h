#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "tools/sim/AnswerSource.h"
#include "tools/sim/FlightScript.h"

namespace korvan::sim {

// Writes the answer to a request "R/n/n/..." into `out`: "A" and, for each
// parameter it knows, "/n\value"; the name (22) as text, numbers as the
// shortest text that reads back to the same 32-bit float. Ends with a line
// end. Returns the answer's length, or 0 when the request is not of that
// form or the answer would not fit.
std::size_t WriteAnswer(std::string_view request, const FlightScript& script, double seconds,
                        std::span<char> out);

// The scripted flight's answers.
class ScriptedAnswers final : public AnswerSource {
 public:
  explicit ScriptedAnswers(std::string aircraftName) : script_(std::move(aircraftName)) {}

  std::vector<std::string> Answers(std::string_view request, double seconds) override;
  std::string Describe(double seconds) const override;

 private:
  FlightScript script_;
};

}  // namespace korvan::sim
