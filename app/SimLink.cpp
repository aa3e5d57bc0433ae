#include "app/SimLink.h"

#include "app/SimulatorAnswers.h"

namespace korvan {

const SimExchange kFastExchange{kFastRequest, &ParseFastAnswer};
const SimExchange kSlowExchange{kSlowRequest, &ParseSlowAnswer};

SimLink::SimLink(DatagramSocket& socket, Clock& clock, std::optional<Ipv4Endpoint> destination)
    : socket_(socket), clock_(clock), destination_(destination) {}

void SimLink::Exchange(const SimExchange& exchange, FlightSample& sample) {
  if (destination_) socket_.SendTo(*destination_, exchange.request);
  clock_.Sleep(kAnswerWaitMs);
  const std::span<char> room(buffer_.data(), buffer_.size() - 1);
  const ReceiveResult received = socket_.Receive(room);
  if (received.status != ReceiveStatus::kReceived) return;
  buffer_[received.size] = '\0';
  exchange.parse(buffer_.data(), sample);
}

}  // namespace korvan
