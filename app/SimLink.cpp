#include "app/SimLink.h"

#include <algorithm>
#include <cstdio>

#include "app/SimulatorAnswers.h"
#include "screens/Configuration.h"

namespace korvan {

const SimExchange kFastExchange{kFastRequest, "A/30", &ParseFastAnswer};
const SimExchange kSlowExchange{kSlowRequest, "A/20", &ParseSlowAnswer};

namespace {

constexpr const SimExchange* kExchanges[] = {&kFastExchange, &kSlowExchange};

}  // namespace

const SimExchange* AnsweredExchange(std::string_view text) {
  for (const SimExchange* exchange : kExchanges) {
    if (text.starts_with(exchange->answerPrefix)) return exchange;
  }
  return nullptr;
}

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
  if (received.status != ReceiveStatus::kReceived || !destination_) return false;
  buffer_[received.size] = '\0';
  const SimExchange* exchange = AnsweredExchange({buffer_.data(), received.size});
  if (exchange == nullptr) return false;
  if (received.sender.address != destination_->address) {
    NoteStranger(received.sender.address);
    return false;
  }
  exchange->parse(buffer_.data(), sample);
  return true;
}

// A simulator machine with two network adapters, or a VPN, may answer from
// an address other than the one asked; the person can only tell from this.
void SimLink::NoteStranger(std::uint32_t address) {
  const auto named = strangers_.begin() + static_cast<std::ptrdiff_t>(strangerCount_);
  if (std::find(strangers_.begin(), named, address) != named) return;
  if (strangerCount_ == strangers_.size()) return;
  strangers_[strangerCount_++] = address;
  std::fprintf(stderr, "korvan: answers from %s are ignored: %s names %s\n",
               FormatIpv4Address(address).c_str(), kConfigurationFileName,
               FormatIpv4Address(destination_->address).c_str());
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
