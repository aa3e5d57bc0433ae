#include <gtest/gtest.h>

#include "tests/support/FakeClock.h"
#include "tests/support/TempDir.h"
#include "tools/sim/ReplayedAnswers.h"
#include "tools/sim/SimRelay.h"

namespace korvan::sim {

TEST(FlightRecording, AwkwardBytesComeBackAndAMalformedLineIsNamed) {
  using namespace std::string_literals;
  const std::string datagrams[] = {"A/30\\300/32\\5.5\n", "%20 a", "\0\x01\x7f\xff\r"s, ""};
  std::string text = "korvan-flight 1\n";
  for (const std::string& datagram : datagrams) text += FormatRecordingLine(7, '>', datagram);
  FlightRecording recording;
  std::string error;
  ASSERT_TRUE(ParseFlightRecording(text, recording, error)) << error;
  ASSERT_EQ(recording.exchanges.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(recording.exchanges[i].request, datagrams[i]);

  const std::pair<const char*, const char*> malformed[] = {
      {"", "line 1: not a recorded flight (no \"korvan-flight 1\" line)"},
      {"korvan-flight 1\r\n", "line 1: no request recorded"},
      {"korvan-flight 1\nT+5 < A\n", "line 2: an answer before any request"},
      {"korvan-flight 1\nT+5 > R\n\nT+4 < A", "line 4: time goes back"},
      {"korvan-flight 1\nT+5 > R%4", "line 2: '%' without two hexadecimal digits"},
      {"korvan-flight 1\nT+5 > R x", "line 2: a blank or control byte not written as %HH"},
      {"korvan-flight 1\nT+5 = R", "line 2: expected ' >' or ' <' after the time"},
      {"korvan-flight 1\nT+4294967296 > R", "line 2: time out of range"},
      {"korvan-flight 1\nT+5 > R\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\n"
       "T+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A\nT+5 < A",
       "line 19: too many answers to one request"}};
  for (const auto& [bad, reason] : malformed) {
    EXPECT_FALSE(ParseFlightRecording(bad, recording, error)) << bad;
    EXPECT_EQ(error, reason);
  }
}

TEST(ReplayedAnswers, TheLatestSameRequestAtTheTimeAnswersUntilTheEndOrAgainWhenLooping) {
  FlightRecording recording;
  std::string error;
  ASSERT_TRUE(
      ParseFlightRecording("korvan-flight 1\nT+100 > F\nT+101 < a1\nT+200 > S\n"
                           "T+201 < s1\nT+300 > F\nT+310 < a2\nT+350 < a3\nT+400 > F\n",
                           recording, error));
  using Answers = std::vector<std::string>;
  // Seconds into the replay, looping, request, answers; the last F got none.
  const std::tuple<double, bool, const char*, Answers> rows[] = {
      {0.05, false, "F", {}},          {0.15, false, "F", {"a1"}}, {0.25, false, "S", {"s1"}},
      {0.3, false, "F", {"a2", "a3"}}, {0.4, false, "F", {}},      {0.25, false, "X", {}},
      {0.5, false, "S", {}},           {0.6, true, "F", {"a1"}},   {0.5, true, "F", {}}};
  for (const auto& [seconds, loop, request, answers] : rows) {
    ReplayedAnswers replay(recording, loop, nullptr);
    EXPECT_EQ(replay.Answers(request, seconds), answers) << seconds << request;
  }
  // The end is said once, however many requests come after it.
  const testing::TempDir folder;
  std::FILE* log = std::fopen((folder.path() / "log").string().c_str(), "w+b");
  ASSERT_NE(log, nullptr);
  ReplayedAnswers replay(recording, false, log);
  for (const double seconds : {0.3, 0.5, 0.6, 0.7}) replay.Answers("F", seconds);
  std::fflush(log);
  EXPECT_EQ(testing::ReadFile(folder.path() / "log"),
            "korvan-sim: the recording ended after 0.4 s; no more answers\n");
  EXPECT_EQ(replay.Describe(0.25) + ", " + replay.Describe(0.5), "replay T+0.2 s, replay ended");
  std::fclose(log);
}

TEST(SimRelay, RelaysBothWaysAndRecordsEveryDatagramWithItsTime) {
  std::string error;
  std::optional<UdpSocket> relaySocket = UdpSocket::Create(error),
                           upstream = UdpSocket::Create(error), client = UdpSocket::Create(error);
  ASSERT_TRUE(relaySocket && relaySocket->Bind({0x7F000001, 0}, error) && upstream &&
              upstream->Bind({0x7F000001, 0}, error) && client)
      << error;
  testing::FakeClock clock;
  const testing::TempDir folder;
  std::FILE* file = std::fopen((folder.path() / "flight").string().c_str(), "w+b");
  std::FILE* log = std::fopen((folder.path() / "log").string().c_str(), "w+b");
  SimRelay relay(std::move(*relaySocket), upstream->LocalEndpoint(), file, clock, log);
  char got[64] = "";
  client->SendTo(relay.LocalEndpoint(), std::string_view("R/1"));
  relay.ServeFor(1000);
  ASSERT_TRUE(upstream->WaitReadable(1000));
  const ReceiveResult request = upstream->Receive(got);
  clock.Advance(1500);  // late, yet relayed
  for (const char* answer : {"A\n", "A\n"})
    upstream->SendTo(request.sender, std::string_view(answer));
  relay.ServeFor(1000);
  ASSERT_TRUE(client->WaitReadable(1000));
  EXPECT_EQ(std::string(got, client->Receive(got).size), "A\n");
  clock.Advance(999);
  relay.ServeFor(0);  // not a second since the last line
  std::fflush(log);   // once a second, what was relayed
  const std::string logged = testing::ReadFile(folder.path() / "log");
  EXPECT_NE(logged.find("s recorded 1 requests, 2 answers\n"), std::string::npos) << logged;
  EXPECT_EQ(logged.find("recorded", logged.find("recorded") + 1), std::string::npos) << logged;
  std::fflush(file);
  EXPECT_EQ(testing::ReadFile(folder.path() / "flight"),
            "korvan-flight 1\nT+0 > R/1\nT+1500 < A%0A\nT+1500 < A%0A\n");
  std::fclose(file);
  std::fclose(log);
}

}  // namespace korvan::sim
