// The simulator link over real UDP on loopback, and the answers' parse rules.

#include "app/SimLink.h"

#include <gtest/gtest.h>

#include "app/SimulatorAnswers.h"
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
  for (const std::string& answer :
       {Fast(42, 1023), Fast(43, 1024), Fast(44, 2000), Fast(45), Fast(46)}) {
    peer->SendTo(socket->LocalEndpoint(), answer);
  }
  ASSERT_TRUE(socket->WaitReadable(1000));
  // 1023 bytes fit with the terminator, 1024 and 2000 not; the next goes to the slow exchange.
  FlightSample sample;
  std::string speeds;
  for (const SimExchange* next : {&kFastExchange, &kFastExchange, &kFastExchange, &kSlowExchange,
                                  &kFastExchange, &kFastExchange}) {
    link.Exchange(*next, sample);
    speeds += std::to_string(static_cast<int>(sample.airspeedKmh)) + " ";
  }
  EXPECT_EQ(speeds, "42 42 42 42 46 46 ");
  char request[100];
  EXPECT_EQ(std::string_view(request, peer->Receive(request).size), kFastExchange.request);
  peer.reset();  // nothing listening: the exchange still costs its wait
  link.Exchange(kSlowExchange, sample);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(7, 10));
}

// How many fields the parse stored, and all it may store, which start at 7 and "old".
std::string Parsed(bool fast, const std::string& answer) {
  FlightSample s{7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, "old"};
  const int stored = (fast ? ParseFastAnswer : ParseSlowAnswer)(answer.c_str(), s);
  char text[200];
  std::snprintf(text, sizeof text, "%d: %g %g %g %g %g", stored, s.airspeedKmh, s.climbRateMs,
                s.altitudeM, s.heading, s.fuel);
  if (fast) return text;
  std::snprintf(text, sizeof text, "%d: %g %g %g %g %g %g %g %g %g %g %s", stored, s.clock,
                s.value164, s.value172, s.value174, s.value214, s.value216, s.value82, s.roll,
                s.pitch, s.head, s.aircraftName);
  return text;
}

TEST(SimulatorAnswers, FieldsAreStoredInOrderUpToTheFirstMismatch) {
  const std::string slow =
      "A/20\\1/164\\1/172\\1/174\\1/214\\1/216\\1/82\\1/94\\1/96\\1/98\\1/22\\";
  const std::tuple<bool, std::string, const char*> rows[] = {
      {true, "A/30\\250.5/32\\-1.2/40\\1500/42\\270/50\\85.3\n", "5: 250.5 -1.2 1500 270 85.3"},
      // scanf's float rules: blanks skipped, exponents read, the line end optional.
      {true, "A/30\\ 2.5e2/32\\-1/40\\+3/42\\.5/50\\7.", "5: 250 -1 3 0.5 7"},
      {true, slow + "Yak", "0: 7 7 7 7 7"},  // the other exchange's answer
      {false,
       "A/20\\12.25/164\\1/172\\2/174\\3/214\\4/216\\5/82\\-0.6/94\\-10.5/96\\4.5/98\\181/"
       "22\\Bf-109G-6_with_extras\n",
       "11: 12.25 1 2 3 4 5 -0.6 -10.5 4.5 181 Bf-109G-6_with_"},
      {false, "A/20\\1.5/164\\1/172\\0/174\\1/214\\0/216\\1/94\\3", "6: 1.5 1 0 1 0 1 7 7 7 7 old"},
      {false, slow + "Yak-1 b\n", "11: 1 1 1 1 1 1 1 1 1 1 Yak-1"},  // the name ends at a blank
      {false, slow + std::string(500, 'N'), "11: 1 1 1 1 1 1 1 1 1 1 NNNNNNNNNNNNNNN"},
      {false, "A/30\\1", "0: 7 7 7 7 7 7 7 7 7 7 old"}};
  for (const auto& [fast, answer, fields] : rows) EXPECT_EQ(Parsed(fast, answer), fields) << answer;
}

TEST(Ipv4Address, AcceptsTheConfiguredLineEndButNotGarbage) {
  const std::pair<const char*, std::optional<std::uint32_t>> rows[] = {
      {"127.0.0.1\n", kLoopback}, {"10.1.2.3", 0x0A010203u}, {"127.0.0.1x", {}}, {"\n", {}}};
  for (const auto& [text, address] : rows) EXPECT_EQ(ParseIpv4Address(text), address) << text;
}

}  // namespace
}  // namespace korvan
