#pragma once

#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/system/DatagramSocket.h"

namespace korvan::testing {

// A socket that records what is sent and hands out queued datagrams.
class FakeDatagramSocket final : public DatagramSocket {
 public:
  bool SendTo(const Ipv4Endpoint& destination, std::span<const char> bytes) override {
    sent.emplace_back(bytes.begin(), bytes.end());
    lastDestination = destination;
    if (onSend) onSend(sent.back());
    return true;
  }

  ReceiveResult Receive(std::span<char> buffer) override {
    ++receives;
    if (waiting.empty()) return {};
    const std::string datagram = std::move(waiting.front());
    waiting.pop_front();
    if (datagram.size() > buffer.size()) return {ReceiveStatus::kOversized, 0, {}};
    std::memcpy(buffer.data(), datagram.data(), datagram.size());
    return {ReceiveStatus::kReceived, datagram.size(), {}};
  }

  std::vector<std::string> sent;
  Ipv4Endpoint lastDestination;
  std::deque<std::string> waiting;
  int receives = 0;
  std::function<void(const std::string&)> onSend;
};

}  // namespace korvan::testing
