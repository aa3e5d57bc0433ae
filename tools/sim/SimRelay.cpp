#include "tools/sim/SimRelay.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "tools/sim/FlightRecording.h"

namespace korvan::sim {

SimRelay::SimRelay(UdpSocket socket, const Ipv4Endpoint& upstream, std::FILE* recording,
                   Clock& clock, std::FILE* log, bool quiet)
    : socket_(std::move(socket)),
      upstream_(upstream),
      recording_(recording),
      clock_(clock),
      log_(log),
      quiet_(quiet),
      start_(clock.TickCount()),
      lastLog_(start_),
      buffer_(kMaxDatagram + 1) {
  WriteLine(std::string(kFlightHeader) + "\n");
}

void SimRelay::ServeFor(int waitMs) {
  if (socket_.WaitReadable(waitMs)) {
    for (int i = 0; i < 64; ++i) {  // bounded, so the log line still comes
      const ReceiveResult got = socket_.Receive(buffer_);
      if (got.status == ReceiveStatus::kNothing) break;
      if (got.status == ReceiveStatus::kReceived) {
        Relay(std::string_view(buffer_.data(), got.size), got.sender);
      }
    }
  }
  LogOncePerSecond();
}

void SimRelay::Relay(std::string_view datagram, const Ipv4Endpoint& sender) {
  if (sender == upstream_) {
    if (!std::exchange(upstreamHeard_, true) && log_ != nullptr) {
      std::fprintf(log_, "korvan-sim: the simulator at %s answers\n",
                   FormatIpv4Endpoint(upstream_).c_str());
    }
    Record('<', datagram);
    ++counters_.answers;
    if (hasRequester_) socket_.SendTo(requester_, datagram);
    return;
  }
  requester_ = sender;
  hasRequester_ = true;
  Record('>', datagram);
  ++counters_.requests;
  socket_.SendTo(upstream_, datagram);
}

void SimRelay::Record(char direction, std::string_view datagram) {
  const auto offset = static_cast<std::uint32_t>(clock_.TickCount() - start_);
  WriteLine(FormatRecordingLine(offset, direction, datagram));
}

void SimRelay::WriteLine(const std::string& line) {
  if (writeFailed_) return;
  if (std::fputs(line.c_str(), recording_) >= 0 && std::fflush(recording_) == 0) return;
  writeFailed_ = true;  // said once; the relay goes on without recording
  if (log_ != nullptr) {
    std::fprintf(log_, "korvan-sim: cannot write the recording (%s); relaying on without it\n",
                 std::strerror(errno));
  }
}

void SimRelay::LogOncePerSecond() {
  const std::uint32_t now = clock_.TickCount();
  if (now - lastLog_ < 1000) return;
  lastLog_ = now;
  if (log_ == nullptr || quiet_) return;
  std::fprintf(log_, "korvan-sim: %6.0f s recorded %llu requests, %llu answers\n",
               static_cast<std::uint32_t>(now - start_) / 1000.0,
               static_cast<unsigned long long>(counters_.requests),
               static_cast<unsigned long long>(counters_.answers));
  std::fflush(log_);
}

}  // namespace korvan::sim
