// The termination handlers, the UDP socket and the file kinds, on the real
// system.
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <tuple>

#include "platform/system/RegularFile.h"
#include "platform/system/TerminationSignal.h"
#include "platform/system/UdpSocket.h"
#include "tests/support/TempDir.h"

namespace korvan {

// A hang-up asks for the same clean end as Ctrl-C, unless nohup ignored it.
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

// A datagram as long as the buffer arrives whole; a longer one is dropped.
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

// Only a regular file has a length; a folder, a device or a pipe has none.
TEST(RegularFile, OnlyARegularFileHasALength) {
  const testing::TempDir folder;
  const auto open = [](const std::string& path) {
    return std::unique_ptr<std::FILE, int (*)(std::FILE*)>(std::fopen(path.c_str(), "rb"),
                                                           &std::fclose);
  };
  EXPECT_EQ(RegularFileSize(open(folder.Write("five", "12345").string()).get()), 5u);
  for (const std::string& other : {folder.path().string(), std::string("/dev/null")})
    EXPECT_FALSE(RegularFileSize(open(other).get())) << other;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> pipe(popen("true", "r"), &pclose);
  EXPECT_FALSE(RegularFileSize(pipe.get()));
}

}  // namespace korvan
