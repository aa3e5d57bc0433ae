// What the link itself does over real UDP on loopback; the answers' parse
// rules are SimulatorAnswersTest's.

#include "app/SimLink.h"

#include <gtest/gtest.h>

#include "platform/system/UdpSocket.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

std::string Fast(int speed, std::size_t size = 0) {
  const std::string answer = "A/30\\" + std::to_string(speed) + "/32\\1/40\\1/42\\1/50\\1\n";
  return answer + std::string(size > answer.size() ? size - answer.size() : 0, ' ');
}

TEST(SimLink, TakesOneDatagramPerExchangeAfterItsWaitAndDropsOversizedOnesWhole) {
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error), peer = UdpSocket::Create(error);
  ASSERT_TRUE(socket && peer && socket->Bind({kLoopback, 0}, error) &&
              peer->Bind({kLoopback, 0}, error))
      << error;
  testing::FakeClock clock;
  SimLink link(*socket, clock, peer->LocalEndpoint());
  FlightSample sample;
  const auto exchange = [&](const SimExchange& exchange, std::vector<std::string> answers) {
    for (const std::string& answer : answers) peer->SendTo(socket->LocalEndpoint(), answer);
    EXPECT_TRUE(answers.empty() || socket->WaitReadable(1000));
    link.Exchange(exchange, sample);
    return sample.airspeedKmh;
  };
  // 1023 bytes still fit with the terminator; 1024 and 2000 do not.
  EXPECT_EQ(exchange(kFastExchange, {Fast(42, 1023), Fast(43, 1024), Fast(44, 2000), Fast(45)}),
            42);
  EXPECT_EQ(exchange(kFastExchange, {}), 42);
  EXPECT_EQ(exchange(kFastExchange, {}), 42);
  // The fast answer left waiting goes to the slow exchange, which stores nothing.
  EXPECT_EQ(exchange(kSlowExchange, {}), 42);
  EXPECT_EQ(exchange(kFastExchange, {}), 42);
  EXPECT_EQ(exchange(kFastExchange, {Fast(46)}), 46);
  EXPECT_FLOAT_EQ(sample.clock, 0);
  char request[100];
  EXPECT_EQ(std::string_view(request, peer->Receive(request).size), kFastExchange.request);
  // Nothing listening: each exchange still costs its wait and changes nothing.
  peer.reset();
  EXPECT_EQ(exchange(kFastExchange, {}), 46);
  EXPECT_EQ(exchange(kSlowExchange, {}), 46);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(8, 10));
}

TEST(Ipv4Address, AcceptsTheConfiguredLineEndButNotGarbage) {
  const std::pair<const char*, std::optional<std::uint32_t>> rows[] = {
      {"127.0.0.1\n", kLoopback},
      {"10.1.2.3", 0x0A010203u},
      {"127.0.0.1x", std::nullopt},
      {"\n", std::nullopt},
      {"localhost\n", std::nullopt}};
  for (const auto& [text, address] : rows) EXPECT_EQ(ParseIpv4Address(text), address) << text;
}

}  // namespace
}  // namespace korvan
