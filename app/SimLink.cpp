#include "app/SimLink.h"

#include <cstdio>

#include "app/SimulatorAnswers.h"

namespace korvan {

const SimExchange kFastExchange{kFastRequest, "A/30", &ParseFastAnswer};
const SimExchange kSlowExchange{kSlowRequest, "A/20", &ParseSlowAnswer};

namespace {

constexpr const SimExchange* kExchanges[] = {&kFastExchange, &kSlowExchange};

}  // namespace

SimLink::SimLink(DatagramSocket& socket, Clock& clock, std::optional<Ipv4Endpoint> destination)
    : socket_(socket), clock_(clock), destination_(destination), lastAnswerMs_(clock.TickCount()) {}

void SimLink::Exchange(const SimExchange& exchange, FlightSample& sample) {
  if (destination_) socket_.SendTo(*destination_, exchange.request);
  clock_.Sleep(kAnswerWaitMs);
  bool answered = false;
  const std::span<char> room(buffer_.data(), buffer_.size() - 1);
  for (int i = 0; i < kMaxDatagramsPerExchange; ++i) {
    const ReceiveResult received = socket_.Receive(room);
    if (received.status == ReceiveStatus::kNothing) break;
    if (TakeAnswer(received, sample)) answered = true;
  }
  NoteAnswered(answered);
}

bool SimLink::TakeAnswer(const ReceiveResult& received, FlightSample& sample) {
  if (received.status != ReceiveStatus::kReceived || !destination_ ||
      received.sender.address != destination_->address) {
    return false;
  }
  buffer_[received.size] = '\0';
  const std::string_view text(buffer_.data(), received.size);
  for (const SimExchange* exchange : kExchanges) {
    if (text.starts_with(exchange->answerPrefix)) {
      exchange->parse(buffer_.data(), sample);
      return true;
    }
  }
  return false;
}

void SimLink::NoteAnswered(bool answered) {
  if (!destination_) return;
  const std::uint32_t now = clock_.TickCount();
  const std::uint32_t quietMs = now - lastAnswerMs_;
  if (answered) {
    if (silent_) {
      std::fprintf(stderr, "korvan: the simulator at %s answers again after %u s of silence\n",
                   FormatIpv4Endpoint(*destination_).c_str(),
                   static_cast<unsigned>(quietMs / 1000));
    }
    silent_ = false;
    lastAnswerMs_ = now;
  } else if (!silent_ && quietMs >= kSilenceReportMs) {
    silent_ = true;
    std::fprintf(stderr, "korvan: no answer from the simulator at %s for %u s\n",
                 FormatIpv4Endpoint(*destination_).c_str(), static_cast<unsigned>(quietMs / 1000));
  }
}

}  // namespace korvan
