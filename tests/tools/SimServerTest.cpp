#include "tools/sim/SimServer.h"

#include <gtest/gtest.h>

#include "app/SimulatorAnswers.h"
#include "tests/support/FakeClock.h"
#include "tools/sim/SimAnswer.h"

namespace korvan::sim {
namespace {

TEST(SimAnswer, KnownParametersInRequestOrderAndNeverACutAnswer) {
  const FlightScript script("Yak-1b");
  const std::tuple<const char*, double, std::size_t, const char*> rows[] = {
      {"R/22/82/999/174", 0, 100, "A/22\\Yak-1b/82\\-1/174\\1\n"},  // 999 unknown: left out
      {"R/82", 5, 100, "A/82\\-0.6\n"},
      {"R/82", 10, 100, "A/82\\-0.34\n"},
      {"R/82", 15, 7, "A/82\\1\n"},  // just fits
      {"R/82", 15, 6, ""},
      {"R/30/32/40", 0, 8, ""}};
  for (const auto& [request, seconds, room, answer] : rows) {
    std::vector<char> out(room);
    EXPECT_EQ(std::string(out.data(), WriteAnswer(request, script, seconds, out)), answer);
  }
  char out[1024];
  for (const char* bad : {"", "R/", "R", "X/30", "R/30/", "R//30", "R/30x", "R/30/+"}) {
    EXPECT_EQ(WriteAnswer(bad, script, 0, out), 0u) << bad;
  }
  // The program reads every field of both answers.
  FlightSample sample;
  out[WriteAnswer(kFastRequest, script, 0, out)] = '\0';
  EXPECT_EQ(ParseFastAnswer(out, sample), 5);
  out[WriteAnswer(kSlowRequest, script, 0, out)] = '\0';
  EXPECT_EQ(ParseSlowAnswer(out, sample), 11);
  EXPECT_STREQ(sample.aircraftName, "Yak-1b");
}

TEST(SimServer, AnswersOverUdpUntilItFallsSilent) {
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error), client = UdpSocket::Create(error);
  ASSERT_TRUE(socket && client && socket->Bind({0x7F000001, 0}, error)) << error;
  testing::FakeClock clock;
  SimOptions options;
  options.silentAfterSeconds = 5;
  SimServer server(std::move(*socket), options, clock, nullptr);
  const auto ask = [&] {
    client->SendTo(server.LocalEndpoint(), std::string_view(kFastRequest));
    server.ServeFor(1000);
    char answer[1024];
    return client->WaitReadable(200) && client->Receive(answer).size > 0;
  };
  EXPECT_TRUE(ask());
  clock.Advance(5000);
  EXPECT_FALSE(ask());
  EXPECT_EQ(server.counters().fast, 1u);
  EXPECT_EQ(server.counters().silent, 1u);
}

}  // namespace
}  // namespace korvan::sim
