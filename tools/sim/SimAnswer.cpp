#include "tools/sim/SimAnswer.h"

#include <charconv>
#include <cstdio>

namespace korvan::sim {
namespace {

constexpr int kNameParameter = 22;

class Writer {
 public:
  explicit Writer(std::span<char> out) : out_(out) {}
  void Append(std::string_view text) {
    if (text.size() > out_.size() - used_) {
      overflow_ = true;
      return;
    }
    text.copy(out_.data() + used_, text.size());
    used_ += text.size();
  }
  std::size_t Finish() const { return overflow_ ? 0 : used_; }

 private:
  std::span<char> out_;
  std::size_t used_ = 0;
  bool overflow_ = false;
};

}  // namespace

std::size_t WriteAnswer(std::string_view request, const FlightScript& script, double seconds,
                        std::span<char> out) {
  if (request.size() < 3 || request.substr(0, 2) != "R/") return 0;
  Writer writer(out);
  writer.Append("A");
  std::string_view rest = request.substr(2);
  while (true) {
    int parameter = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), parameter);
    if (error != std::errc() || end == rest.data()) return 0;
    const std::string_view number(rest.data(), static_cast<std::size_t>(end - rest.data()));
    rest.remove_prefix(number.size());

    char value[64];
    int length = -1;
    if (parameter == kNameParameter) {
      length = std::snprintf(value, sizeof value, "%s", script.aircraftName().c_str());
      if (length >= static_cast<int>(sizeof value)) length = sizeof value - 1;
    } else if (const auto v = script.Value(parameter, seconds)) {
      length = std::snprintf(value, sizeof value, "%.7g", static_cast<double>(*v));
    }
    if (length >= 0) {
      writer.Append("/");
      writer.Append(number);
      writer.Append("\\");
      writer.Append(std::string_view(value, static_cast<std::size_t>(length)));
    }
    if (rest.empty()) break;
    if (rest.front() != '/') return 0;
    rest.remove_prefix(1);
  }
  writer.Append("\n");
  return writer.Finish();
}

std::vector<std::string> ScriptedAnswers::Answers(std::string_view request, double seconds) {
  char buffer[1024];
  const std::size_t length = WriteAnswer(request, script_, seconds, buffer);
  if (length == 0) return {};
  return {std::string(buffer, length)};
}

std::string ScriptedAnswers::Describe(double seconds) const {
  char text[48];
  std::snprintf(text, sizeof text, "%-8s %3.0f km/h %4.0f m", script_.Phase(seconds),
                static_cast<double>(script_.Value(30, seconds).value_or(0)),
                static_cast<double>(script_.Value(40, seconds).value_or(0)));
  return text;
}

}  // namespace korvan::sim
