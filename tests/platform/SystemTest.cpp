// The termination handlers, the sockets and the file kinds, for real.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <tuple>

#include "platform/system/NetworkAddresses.h"
#include "platform/system/RegularFile.h"
#include "platform/system/StreamSocket.h"
#include "platform/system/TerminationSignal.h"
#include "platform/system/UdpSocket.h"
#include "tests/support/TempDir.h"

namespace korvan {

TEST(TerminationSignal, HangUpEndsCleanlyUnlessIgnoredAtStart) {
  std::signal(SIGHUP, SIG_IGN);  // as under nohup
  const std::atomic<bool>& stop = InstallTerminationHandlers();
  std::raise(SIGHUP);
  EXPECT_FALSE(stop.load());
  std::signal(SIGHUP, SIG_DFL);  // as from a terminal; unhandled, it would end this test
  InstallTerminationHandlers();
  std::raise(SIGHUP);
  EXPECT_TRUE(stop.load());
}

// Which of its addresses the panel names, or takes for this machine alone:
// L loopback, U unspecified, R reachable from elsewhere.
TEST(NetworkAddresses, LoopbackUnspecifiedAndLinkLocalAreToldApart) {
  // clang-format off
  const std::pair<const char*, const char*> rows[] = {
      {"127.0.0.1", "L"}, {"127.9.9.9", "L"}, {"128.0.0.1", "R"}, {"0.0.0.0", "U"},
      {"0.0.0.1", "R"}, {"169.254.3.4", ""}, {"169.253.3.4", "R"}, {"168.254.3.4", "R"},
      {"254.128.0.1", "R"}, {"::1", "L"}, {"::2", "R"}, {"::", "U"}, {"::ffff:127.9.9.9", "L"},
      {"::ffff:128.0.0.1", "R"}, {"::fffe:127.0.0.1", "R"}, {"fe80::1", ""}, {"febf::1", ""},
      {"fec0::1", "R"}, {"ff80::1", "R"}, {"2001:db8::1", "R"}};
  // clang-format on
  for (const auto& [text, kinds] : rows) {
    const std::string_view literal(text);
    const auto address = ParseIpLiteral(
        literal, literal.find(':') == std::string_view::npos ? IpFamily::kV4 : IpFamily::kV6);
    ASSERT_TRUE(address) << text;
    const std::string got = std::string(IsLoopback(*address) ? "L" : "") +
                            (IsUnspecified(*address) ? "U" : "") +
                            (IsReachableFromElsewhere(*address) ? "R" : "");
    EXPECT_EQ(got, kinds) << text;
  }
}

TEST(UdpSocket, ADatagramThatFillsTheBufferArrivesAndALongerOneIsDropped) {
  std::string error;
  std::optional<UdpSocket> socket = UdpSocket::Create(error), peer = UdpSocket::Create(error);
  ASSERT_TRUE(socket && peer && socket->Bind({0x7F000001, 0}, error)) << error;
  char buffer[8];
  for (const auto& [sent, status, size] : {std::tuple{"12345678", ReceiveStatus::kReceived, 8U},
                                           {"123456789", ReceiveStatus::kOversized, 0U}}) {
    ASSERT_TRUE(peer->SendTo(socket->LocalEndpoint(), std::string_view(sent)));
    ASSERT_TRUE(socket->WaitReadable(1000));
    const ReceiveResult got = socket->Receive(buffer);
    EXPECT_EQ(std::pair(got.status, got.size), std::pair(status, std::size_t{size})) << sent;
  }
}

// With no descriptor left, accepting fails rather than finding none waiting (the
// system takes the descriptor first), so that a server pauses instead of spinning.
TEST(StreamSocket, AnAcceptWithNoDescriptorLeftFails) {
  const StreamListener listener = ListenOn("127.0.0.1", 0);
  ASSERT_NE(listener.socket, kNoSocket);
  rlimit limits{};
  getrlimit(RLIMIT_NOFILE, &limits);
  const int next = dup(static_cast<int>(listener.socket));  // the lowest descriptor free
  close(next);
  const rlimit low{static_cast<rlim_t>(next), limits.rlim_max};
  setrlimit(RLIMIT_NOFILE, &low);
  SocketHandle accepted = kNoSocket;
  IpAddress peer;
  const AcceptResult result = AcceptOne(listener.socket, accepted, peer);
  setrlimit(RLIMIT_NOFILE, &limits);
  EXPECT_EQ(result, AcceptResult::kFailed);
  CloseSocket(listener.socket);
}

// Folders and devices: ConfigurationReaderTest.
TEST(RegularFile, ARegularFileTellsItsLengthAndAPipeHasNone) {
  const testing::TempDir folder;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
      std::fopen(folder.Write("five", "12345").string().c_str(), "rb"), &std::fclose);
  EXPECT_EQ(RegularFileSize(file.get()), 5u);
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(popen("true", "r"), &pclose);
  EXPECT_FALSE(RegularFileSize(pipe.get()));
}

}  // namespace korvan
