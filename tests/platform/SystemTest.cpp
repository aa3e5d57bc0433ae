// The termination handlers, the UDP socket and the file kinds, for real.
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <tuple>

#include "platform/system/RegularFile.h"
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
