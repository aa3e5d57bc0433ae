#include "tools/sim/ReplayedAnswers.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

namespace korvan::sim {
namespace {

// Far above a minute or two of flight, far below what would strain memory.
constexpr long kMaxFileBytes = 64L << 20;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool ReadFlightFile(const char* path, FlightRecording& recording, std::string& error) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) {
    error = "cannot open it";
    return false;
  }
  std::string text;
  char chunk[65536];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
    text.append(chunk, got);
    if (text.size() > static_cast<std::size_t>(kMaxFileBytes)) {
      error = "larger than 64 MiB";
      return false;
    }
  }
  if (std::ferror(file.get())) {
    error = "cannot read it";
    return false;
  }
  return ParseFlightRecording(text, recording, error);
}

ReplayedAnswers::ReplayedAnswers(FlightRecording recording, bool loop, std::FILE* log)
    : recording_(std::move(recording)), loop_(loop), log_(log) {
  for (std::size_t i = 0; i < recording_.exchanges.size(); ++i) {
    byRequest_[recording_.exchanges[i].request].push_back(i);
  }
}

std::int64_t ReplayedAnswers::RecordingTime(double seconds) const {
  const auto ms = static_cast<std::int64_t>(std::floor(std::max(seconds, 0.0) * 1000));
  const std::int64_t length = std::int64_t{recording_.lengthMs} + 1;
  if (loop_) return ms % length;
  return ms < length ? ms : -1;
}

std::vector<std::string> ReplayedAnswers::Answers(std::string_view request, double seconds) {
  const std::int64_t at = RecordingTime(seconds);
  if (at < 0) {
    if (!std::exchange(endReported_, true) && log_ != nullptr) {
      std::fprintf(log_, "korvan-sim: the recording ended after %.1f s; no more answers\n",
                   recording_.lengthMs / 1000.0);
    }
    return {};
  }
  const auto found = byRequest_.find(std::string(request));
  if (found == byRequest_.end()) return {};
  const std::vector<std::size_t>& indices = found->second;
  // The first exchange after `at`; the one before it is the latest at or before.
  const auto after = std::upper_bound(indices.begin(), indices.end(), at,
                                      [this](std::int64_t time, std::size_t index) {
                                        return time < recording_.exchanges[index].offsetMs;
                                      });
  if (after == indices.begin()) return {};
  return recording_.exchanges[*std::prev(after)].answers;
}

std::string ReplayedAnswers::Describe(double seconds) const {
  const std::int64_t at = RecordingTime(seconds);
  if (at < 0) return "replay ended";
  char text[40];
  std::snprintf(text, sizeof text, "replay T+%.1f s", static_cast<double>(at) / 1000.0);
  return text;
}

}  // namespace korvan::sim
