#include "tools/sim/SimServer.h"

#include <gtest/gtest.h>

#include "app/SimulatorAnswers.h"
#include "tests/support/FakeClock.h"
#include "tools/sim/SimAnswer.h"

namespace korvan::sim {

TEST(SimAnswer, KnownParametersInRequestOrderAndNeverACutAnswer) {
  const FlightScript script("Yak-1b");
  // Request, seconds into the flight, room, answer: 999 is unknown; a bad or long one gets none.
  // clang-format off
  const std::tuple<const char*, double, std::size_t, const char*> rows[] = {
      {"R/22/82/999/174", 0, 99, "A/22\\Yak-1b/82\\-1/174\\1\n"}, {"R/82", 5, 99, "A/82\\-0.6\n"},
      {"R/82", 10, 99, "A/82\\-0.34\n"}, {"R/82", 15, 7, "A/82\\1\n"}, {"R/82", 15, 6, ""},
      {"R/", 0, 99, ""}, {"R/30/", 0, 99, ""}, {"R/30x40", 0, 99, ""},
      // The take-off roll ends at 25 s, the bomb run's level wings at 250 s;
      // the cruise starts at 420 km/h, the bomb run flies at 380.
      {"R/30", 100, 99, "A/30\\420\n"}, {"R/30", 230, 99, "A/30\\380\n"},
      {"R/32", 24.9, 99, "A/32\\0\n"}, {"R/32", 25, 99, "A/32\\10\n"},
      {"R/32/94", 249.9, 99, "A/32\\0/94\\0\n"}, {"R/32/94", 250, 99, "A/32\\-8.3/94\\-5\n"}};
  // clang-format on
  for (const auto& [request, seconds, room, answer] : rows) {
    std::vector<char> out(room);
    EXPECT_EQ(std::string(out.data(), WriteAnswer(request, script, seconds, out)), answer);
  }
}

// The phase the stand-in's log line names, on both sides of each change.
TEST(FlightScript, PhasesFollowEachOtherAtTheirSeconds) {
  const FlightScript script("Yak-1b");
  std::string phases;
  for (const double t : {24.9, 25.0, 99.9, 100.0, 199.9, 200.0, 249.9, 250.0, 339.9, 340.0, 360.0})
    phases += std::string(script.Phase(t)) + ",";
  EXPECT_EQ(
      phases,
      "take-off,climb,climb,cruise,cruise,bomb run,bomb run,descent,descent,landing,take-off,");
}

TEST(SimServer, AnswersTheProgramsRequestsUntilItFallsSilent) {
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error), client = UdpSocket::Create(error);
  ASSERT_TRUE(socket && client && socket->Bind({0x7F000001, 0}, error)) << error;
  testing::FakeClock clock;
  ScriptedAnswers source("Bf-109G-2");
  SimServer server(std::move(*socket), source, SimOptions{.silentAfterSeconds = 5}, clock, nullptr);
  FlightSample sample;
  for (const int seconds : {0, 5}) {
    clock.Advance(static_cast<std::uint32_t>(seconds * 1000));
    char answer[1024] = "";
    client->SendTo(server.LocalEndpoint(), std::string_view(kSlowRequest));
    server.ServeFor(1000);
    if (client->WaitReadable(200)) client->Receive(answer);
    EXPECT_EQ(ParseSlowAnswer(answer, sample), seconds < 5 ? 11 : 0) << seconds;
  }
}

}  // namespace korvan::sim
