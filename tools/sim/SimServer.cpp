#include "tools/sim/SimServer.h"

#include <algorithm>

namespace korvan::sim {
namespace {

constexpr std::size_t kOversizedBytes = 2000;

}  // namespace

SimServer::SimServer(UdpSocket socket, AnswerSource& source, const SimOptions& options,
                     Clock& clock, std::FILE* log)
    : socket_(std::move(socket)),
      options_(options),
      clock_(clock),
      log_(log),
      source_(source),
      dice_(options.seed),
      start_(clock.TickCount()),
      lastLog_(start_) {}

double SimServer::Seconds() const {
  return static_cast<std::uint32_t>(clock_.TickCount() - start_) / 1000.0;
}

bool SimServer::Roll(double probability) {
  if (probability <= 0) return false;
  return std::uniform_real_distribution<double>(0, 1)(dice_) < probability;
}

void SimServer::ServeFor(int waitMs) {
  int wait = waitMs;
  if (!late_.empty()) {
    const auto untilDue = static_cast<std::int32_t>(late_.front().due - clock_.TickCount());
    wait = std::clamp(untilDue, 0, waitMs);
  }
  if (socket_.WaitReadable(wait)) {
    char request[4096];
    for (int i = 0; i < 64; ++i) {  // bounded, so late answers and the log still run
      const ReceiveResult got = socket_.Receive(request);
      if (got.status == ReceiveStatus::kNothing) break;
      if (got.status == ReceiveStatus::kOversized) {
        ++counters_.unanswered;
        continue;
      }
      Answer(std::string_view(request, got.size), got.sender);
    }
  }
  SendLateAnswers();
  LogOncePerSecond();
}

void SimServer::Answer(std::string_view request, const Ipv4Endpoint& sender) {
  if (options_.silentAfterSeconds >= 0 && Seconds() >= options_.silentAfterSeconds) {
    ++counters_.silent;
    return;
  }
  const bool fast = request.starts_with("R/30/");
  if (fast) {
    const std::uint32_t now = clock_.TickCount();
    if (fastInSecond_++ == 0) firstFastInSecond_ = now;
    lastFast_ = now;
  }
  if (Roll(options_.dropProbability)) {
    ++counters_.dropped;
    return;
  }
  std::vector<std::string> answers = source_.Answers(request, Seconds());
  if (answers.empty()) {
    ++counters_.unanswered;
    return;
  }
  ++(fast ? counters_.fast : counters_.slow);
  for (std::string& answer : answers) Send(std::move(answer), sender);
}

void SimServer::Send(std::string answer, const Ipv4Endpoint& destination) {
  if (Roll(options_.oversizeProbability)) {
    answer.resize(kOversizedBytes, '#');
    ++counters_.oversized;
  } else if (Roll(options_.garbleProbability) && answer.size() > 3) {
    const auto at = std::uniform_int_distribution<std::size_t>(2, answer.size() - 2)(dice_);
    answer[at] = 'x';
    ++counters_.garbled;
  }
  if (options_.delayMs > 0) {
    late_.push_back({clock_.TickCount() + options_.delayMs, destination, std::move(answer)});
    return;
  }
  socket_.SendTo(destination, answer);
}

void SimServer::SendLateAnswers() {
  while (!late_.empty() && static_cast<std::int32_t>(clock_.TickCount() - late_.front().due) >= 0) {
    socket_.SendTo(late_.front().destination, late_.front().bytes);
    late_.pop_front();
    ++counters_.late;
  }
}

void SimServer::LogOncePerSecond() {
  const std::uint32_t now = clock_.TickCount();
  if (now - lastLog_ < 1000) return;
  lastLog_ = now;
  if (log_ != nullptr) {
    const double seconds = Seconds();
    const double period = fastInSecond_ > 1 ? static_cast<double>(lastFast_ - firstFastInSecond_) /
                                                  (fastInSecond_ - 1)
                                            : 0.0;
    std::fprintf(log_,
                 "korvan-sim: %6.0f s %s | answered %llu fast, %llu slow "
                 "(+%llu), request period %.1f ms | dropped %llu, late %llu, garbled %llu, "
                 "oversized %llu, unanswered %llu, silent %llu\n",
                 seconds, source_.Describe(seconds).c_str(),
                 static_cast<unsigned long long>(counters_.fast),
                 static_cast<unsigned long long>(counters_.slow),
                 static_cast<unsigned long long>(counters_.fast - fastAtLastLog_), period,
                 static_cast<unsigned long long>(counters_.dropped),
                 static_cast<unsigned long long>(counters_.late),
                 static_cast<unsigned long long>(counters_.garbled),
                 static_cast<unsigned long long>(counters_.oversized),
                 static_cast<unsigned long long>(counters_.unanswered),
                 static_cast<unsigned long long>(counters_.silent));
    std::fflush(log_);
  }
  fastAtLastLog_ = counters_.fast;
  fastInSecond_ = 0;
}

}  // namespace korvan::sim
