#include "tools/sim/SimServer.h"

#include <gtest/gtest.h>

#include "app/SimLink.h"
#include "app/SimulatorAnswers.h"
#include "tests/support/FakeClock.h"
#include "tests/support/Loopback.h"
#include "tools/sim/SimAnswer.h"

namespace korvan::sim {
namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

std::string Answer(std::string_view request, double seconds = 0) {
  FlightScript script("Yak-1b");
  char out[512];
  return std::string(out, WriteAnswer(request, script, seconds, out));
}

TEST(SimAnswer, AnswersKnownParametersInRequestOrder) {
  const std::string answer = Answer("R/22/82/999/174");
  EXPECT_EQ(answer, "A/22\\Yak-1b/82\\-1/174\\1\n");  // 999 is unknown: left out
  EXPECT_EQ(Answer("R/82", 5), "A/82\\-0.6\n");
  EXPECT_EQ(Answer("R/82", 10), "A/82\\-0.34\n");
  EXPECT_EQ(Answer("R/82", 15), "A/82\\1\n");
  for (const char* bad : {"", "R/", "R", "X/30", "R/30/", "R//30", "R/30x", "R/30/+"}) {
    EXPECT_EQ(Answer(bad), "") << bad;
  }
  FlightScript script("Yak-1b");
  char tiny[8];
  EXPECT_EQ(WriteAnswer("R/30/32/40", script, 0, tiny), 0u);  // never a cut answer
}

TEST(FlightScript, ValuesStayPlausibleOverAWholeLoop) {
  FlightScript script("x");
  for (double t = 0; t < 2 * FlightScript::kLoopSeconds; t += 0.5) {
    EXPECT_GE(*script.Value(30, t), 0) << t;
    EXPECT_LE(*script.Value(30, t), 500) << t;
    EXPECT_GE(*script.Value(40, t), 0) << t;
    EXPECT_GE(*script.Value(42, t), 0) << t;
    EXPECT_LT(*script.Value(42, t), 360) << t;
    EXPECT_GT(*script.Value(50, t), 0) << t;
    // Altitude moves smoothly: never more than 10 m in half a second.
    EXPECT_LE(std::abs(*script.Value(40, t + 0.5) - *script.Value(40, t)), 10.0f) << t;
  }
}

class SimServerTest : public ::testing::Test {
 protected:
  void Start(SimOptions options) {
    std::string error;
    auto serverSocket = UdpSocket::Create(error);
    ASSERT_TRUE(serverSocket) << error;
    ASSERT_TRUE(serverSocket->Bind({kLoopback, 0}, error)) << error;
    server_.emplace(std::move(*serverSocket), options, clock_, nullptr);
    auto clientSocket = UdpSocket::Create(error);
    ASSERT_TRUE(clientSocket) << error;
    client_.emplace(std::move(*clientSocket));
  }

  // Sends a request, lets the server serve, and returns what came back.
  std::optional<std::string> Ask(std::string_view request) {
    client_->SendTo(server_->LocalEndpoint(), request);
    server_->ServeFor(1000);
    return testing::ReceiveText(*client_, 200);
  }

  testing::FakeClock clock_;
  std::optional<SimServer> server_;
  std::optional<UdpSocket> client_;
};

TEST_F(SimServerTest, ItsAnswersReachTheProgramsFlightSample) {
  SimOptions options;
  options.aircraft = "Spitfire_IX";
  Start(options);
  FlightSample sample;
  const auto fast = Ask(kFastRequest);
  ASSERT_TRUE(fast);
  EXPECT_EQ(kFastExchange.parse(fast->c_str(), sample), 5);
  const auto slow = Ask(kSlowRequest);
  ASSERT_TRUE(slow);
  EXPECT_EQ(kSlowExchange.parse(slow->c_str(), sample), 11);
  EXPECT_STREQ(sample.aircraftName, "Spitfire_IX");
  EXPECT_FLOAT_EQ(sample.clock, 10.0f);
  EXPECT_FLOAT_EQ(sample.value82, -1.0f);
  EXPECT_EQ(server_->counters().fast, 1u);
  EXPECT_EQ(server_->counters().slow, 1u);
}

TEST_F(SimServerTest, HonoursFaultFlags) {
  SimOptions options;
  options.dropProbability = 1;
  Start(options);
  EXPECT_EQ(Ask(kFastRequest), std::nullopt);
  EXPECT_EQ(server_->counters().dropped, 1u);

  options.dropProbability = 0;
  options.oversizeProbability = 1;
  Start(options);
  const auto oversized = Ask(kFastRequest);
  ASSERT_TRUE(oversized);
  EXPECT_EQ(oversized->size(), 2000u);

  options.oversizeProbability = 0;
  options.silentAfterSeconds = 5;
  Start(options);
  EXPECT_TRUE(Ask(kFastRequest));
  clock_.Advance(5000);
  EXPECT_EQ(Ask(kFastRequest), std::nullopt);
  EXPECT_EQ(server_->counters().silent, 1u);
}

TEST_F(SimServerTest, DelayedAnswersLeaveWhenDue) {
  SimOptions options;
  options.delayMs = 50;
  Start(options);
  EXPECT_EQ(Ask(kFastRequest), std::nullopt);
  clock_.Advance(50);
  server_->ServeFor(0);
  ASSERT_TRUE(client_->WaitReadable(200));
  EXPECT_EQ(server_->counters().late, 1u);
}

TEST(SimOptions, RejectsBadValuesWithAClearReason) {
  SimOptions options;
  std::string error;
  const char* good[] = {"korvan-sim", "--port", "7000", "--drop", "0.5", "--aircraft", "Yak-1"};
  EXPECT_TRUE(ParseSimOptions(7, good, options, error)) << error;
  EXPECT_EQ(options.port, 7000);
  EXPECT_DOUBLE_EQ(options.dropProbability, 0.5);
  const char* badDrop[] = {"korvan-sim", "--drop", "1.5"};
  EXPECT_FALSE(ParseSimOptions(3, badDrop, options, error));
  EXPECT_EQ(error, "bad value for --drop: 1.5");
  const char* badName[] = {"korvan-sim", "--aircraft", "Yak 1"};
  EXPECT_FALSE(ParseSimOptions(3, badName, options, error));
  const char* missing[] = {"korvan-sim", "--port"};
  EXPECT_FALSE(ParseSimOptions(2, missing, options, error));
  EXPECT_EQ(error, "missing value after --port");
}

}  // namespace
}  // namespace korvan::sim
