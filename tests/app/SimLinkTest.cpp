#include "app/SimLink.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/system/UdpSocket.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;

// The program's link against a real UDP peer on loopback. The peer answers
// while the link waits, which the fake clock's sleep hook makes deterministic.
class SimLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    auto linkSocket = UdpSocket::Create(error);
    auto peerSocket = UdpSocket::Create(error);
    ASSERT_TRUE(linkSocket && peerSocket) << error;
    linkSocket_.emplace(std::move(*linkSocket));
    peer_.emplace(std::move(*peerSocket));
    ASSERT_TRUE(peer_->Bind({kLoopback, 0}, error)) << error;
    link_.emplace(*linkSocket_, clock_, peer_->LocalEndpoint());
  }

  // During the link's next wait the peer takes the request and sends these
  // answers back to the link, in order.
  void AnswerNextRequestWith(std::vector<std::string> answers) {
    clock_.onSleep = [this, answers](std::uint32_t) {
      clock_.onSleep = nullptr;
      ASSERT_TRUE(peer_->WaitReadable(1000)) << "no request reached the peer";
      char request[2048];
      const ReceiveResult got = peer_->Receive(request);
      ASSERT_EQ(got.status, ReceiveStatus::kReceived);
      requests_.emplace_back(request, got.size);
      for (const std::string& answer : answers) {
        ASSERT_TRUE(peer_->SendTo(got.sender, answer));
      }
      ASSERT_TRUE(linkSocket_->WaitReadable(1000));
    };
  }

  testing::FakeClock clock_;
  std::optional<UdpSocket> linkSocket_;
  std::optional<UdpSocket> peer_;
  std::optional<SimLink> link_;
  std::vector<std::string> requests_;
  FlightSample sample_;
};

TEST_F(SimLinkTest, FastAnswerFillsItsFiveFieldsInOrder) {
  AnswerNextRequestWith({"A/30\\250.5/32\\-1.2/40\\1500/42\\270/50\\85.3\n"});
  link_->Exchange(kFastExchange, sample_);
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0], "R/30/32/40/42/50");  // no terminator, no line end
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 250.5f);
  EXPECT_FLOAT_EQ(sample_.climbRateMs, -1.2f);
  EXPECT_FLOAT_EQ(sample_.altitudeM, 1500.0f);
  EXPECT_FLOAT_EQ(sample_.heading, 270.0f);
  EXPECT_FLOAT_EQ(sample_.fuel, 85.3f);
  EXPECT_EQ(clock_.sleeps, std::vector<std::uint32_t>{10});
}

TEST_F(SimLinkTest, SlowAnswerFillsEveryFieldAndCutsTheNameTo15) {
  AnswerNextRequestWith(
      {"A/20\\12.25/164\\1/172\\2/174\\3/214\\4/216\\5/82\\-0.6/94\\-10.5/96\\4.5/98\\181/"
       "22\\Bf-109G-6_with_extras\n"});
  link_->Exchange(kSlowExchange, sample_);
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0], "R/20/164/172/174/214/216/82/94/96/98/22");
  EXPECT_FLOAT_EQ(sample_.clock, 12.25f);
  EXPECT_FLOAT_EQ(sample_.value164, 1);
  EXPECT_FLOAT_EQ(sample_.value172, 2);
  EXPECT_FLOAT_EQ(sample_.value174, 3);
  EXPECT_FLOAT_EQ(sample_.value214, 4);
  EXPECT_FLOAT_EQ(sample_.value216, 5);
  EXPECT_FLOAT_EQ(sample_.value82, -0.6f);
  EXPECT_FLOAT_EQ(sample_.roll, -10.5f);
  EXPECT_FLOAT_EQ(sample_.pitch, 4.5f);
  EXPECT_FLOAT_EQ(sample_.head, 181);
  EXPECT_STREQ(sample_.aircraftName, "Bf-109G-6_with_");
}

TEST_F(SimLinkTest, PartialAndForeignAnswersStoreUpToTheFirstMismatch) {
  sample_.climbRateMs = 7;
  sample_.fuel = 9;
  AnswerNextRequestWith({"A/30\\100/32\\x/40\\1/42\\2/50\\3\n"});
  link_->Exchange(kFastExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 100);
  EXPECT_FLOAT_EQ(sample_.climbRateMs, 7);
  EXPECT_FLOAT_EQ(sample_.fuel, 9);

  // The slow exchange's answer arriving at the fast exchange: "2" against "3".
  AnswerNextRequestWith(
      {"A/20\\5/164\\1/172\\2/174\\3/214\\4/216\\5/82\\1/94\\1/96\\1/98\\1/22\\x"});
  link_->Exchange(kFastExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 100);

  // An empty datagram stores nothing either.
  AnswerNextRequestWith({""});
  link_->Exchange(kSlowExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.clock, 0);
}

TEST_F(SimLinkTest, OnlyOneDatagramIsTakenPerExchangeSoALateAnswerShiftsThePairing) {
  // Two answers queued at once: the second waits for the next receive,
  // which belongs to the slow exchange, and mismatches there.
  AnswerNextRequestWith({"A/30\\1/32\\1/40\\1/42\\1/50\\1", "A/30\\2/32\\2/40\\2/42\\2/50\\2"});
  link_->Exchange(kFastExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 1);
  AnswerNextRequestWith({});
  link_->Exchange(kSlowExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 1);
  EXPECT_FLOAT_EQ(sample_.clock, 0);
}

TEST_F(SimLinkTest, DatagramsThatDoNotFitAreDroppedWholeAndTheNextOneParses) {
  const std::string answer = "A/30\\42/32\\1/40\\1/42\\1/50\\1\n";
  // 1023 bytes still fit with their terminator; 1024 and 2000 do not.
  AnswerNextRequestWith({answer + std::string(1023 - answer.size(), ' ')});
  link_->Exchange(kFastExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 42);

  const std::string bigger = "A/30\\43/32\\1/40\\1/42\\1/50\\1\n";
  AnswerNextRequestWith({bigger + std::string(1024 - bigger.size(), ' '),
                         bigger + std::string(2000 - bigger.size(), 'x')});
  link_->Exchange(kFastExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 42);
  AnswerNextRequestWith({"A/30\\44/32\\1/40\\1/42\\1/50\\1"});
  link_->Exchange(kFastExchange, sample_);  // takes the 2000-byte one: dropped
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 42);
  link_->Exchange(kFastExchange, sample_);
  EXPECT_FLOAT_EQ(sample_.airspeedKmh, 44);
}

TEST(SimLinkWithoutPeer, NothingListeningCostsTheWaitAndChangesNothing) {
  std::string error;
  auto socket = UdpSocket::Create(error);
  ASSERT_TRUE(socket) << error;
  testing::FakeClock clock;
  // Port 9 on loopback: nobody answers (the system may report the refusal
  // on a later call; it must not be mistaken for an answer).
  SimLink link(*socket, clock, Ipv4Endpoint{kLoopback, 9});
  FlightSample sample;
  for (int i = 0; i < 3; ++i) {
    link.Exchange(kFastExchange, sample);
    link.Exchange(kSlowExchange, sample);
  }
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>(6, 10));
  EXPECT_FLOAT_EQ(sample.airspeedKmh, 0);
  EXPECT_STREQ(sample.aircraftName, "");
}

TEST(Ipv4Address, AcceptsTheConfiguredLineEndButNotGarbage) {
  EXPECT_EQ(ParseIpv4Address("127.0.0.1\n"), kLoopback);
  EXPECT_EQ(ParseIpv4Address("10.1.2.3"), 0x0A010203u);
  EXPECT_EQ(ParseIpv4Address("127.0.0.1x"), std::nullopt);
  EXPECT_EQ(ParseIpv4Address("\n"), std::nullopt);
  EXPECT_EQ(ParseIpv4Address("localhost\n"), std::nullopt);
}

}  // namespace
}  // namespace korvan
