// Loopback UDP, the oversized drop and a pause ended by the session stop
// event, through the Windows siblings.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <tuple>

#include "platform/system/ServiceRegistry.h"
#include "platform/system/SystemClock.h"
#include "platform/system/TerminationSignal.h"
#include "platform/system/UdpSocket.h"

namespace {

void Check(bool held, const char* what) {
  EXPECT_TRUE(held) << what;
}

TEST(UdpSocketWin32, LoopbackDropsTheOversizedDatagramWholeAndIgnoresPortUnreachable) {
  std::string error;
  auto socket = korvan::UdpSocket::Create(error);
  Check(socket && socket->Bind({0x7F000001u, 0}, error), "socket bound to 127.0.0.1");
  ASSERT_TRUE(socket);
  const korvan::Ipv4Endpoint self = socket->LocalEndpoint();
  // A port nobody listens on: Winsock would fail the next receive for it.
  auto closed = korvan::UdpSocket::Create(error);
  closed->Bind({0x7F000001u, 0}, error);
  const korvan::Ipv4Endpoint nobody = closed->LocalEndpoint();
  closed->Close();
  socket->SendTo(nobody, std::span<const char>("lost", 4));
  char buffer[8];
  const std::string big(64, 'x');
  Check(socket->SendTo(self, std::span<const char>("12345", 5)) &&
            socket->SendTo(self, std::span<const char>(big)) &&
            socket->SendTo(self, std::span<const char>("ok", 2)),
        "three datagrams sent");
  const auto first = (socket->WaitReadable(1000), socket->Receive(buffer));
  Check(first.status == korvan::ReceiveStatus::kReceived && first.size == 5 && first.sender == self,
        "small datagram received from itself");
  const auto second = (socket->WaitReadable(1000), socket->Receive(buffer));
  Check(second.status == korvan::ReceiveStatus::kOversized, "oversized datagram reported");
  const auto third = (socket->WaitReadable(1000), socket->Receive(buffer));
  Check(third.status == korvan::ReceiveStatus::kReceived && third.size == 2 &&
            std::string(buffer, 2) == "ok",
        "next datagram whole after the oversized one");
  Check(socket->Receive(buffer).status == korvan::ReceiveStatus::kNothing, "then nothing");
}

TEST(SystemClockWin32, TheSessionStopEventEndsThePauseAndRaisesTheFlag) {
  const std::atomic<bool>& stop = korvan::InstallTerminationHandlers();
  std::thread other([] {
    ::Sleep(200);  // what `korvan --stop` does from another process
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"Local\\KorvanStop");
    if (event == nullptr) return;
    SetEvent(event);
    CloseHandle(event);
  });
  korvan::SystemClock clock;
  const std::uint32_t start = clock.TickCount();
  clock.Sleep(20000);
  const std::uint32_t slept = clock.TickCount() - start;
  other.join();
  Check(stop.load() && slept < 10000, "session stop event ends the pause and raises the flag");
}

// The registered path as stored, whatever its type, length or terminators.
TEST(ServiceRegistryWin32, ReadsTheServerBinaryAndRefusesWhatIsNoPath) {
  using Status = korvan::RegisteredServer::Status;
  const std::string id = "{korvan-test-" + std::to_string(GetCurrentProcessId()) + "}";
  const std::string classKey = "SOFTWARE\\Classes\\CLSID\\" + id;
  const std::string name(259, 'n');
  // Value type and bytes (type REG_NONE: no key), what is read.
  const std::tuple<DWORD, std::string, Status, std::string> rows[] = {
      {REG_NONE, "", Status::kAbsent, ""},
      {REG_SZ, std::string("C:\\lcd.dll\0", 11), Status::kFound, "C:\\lcd.dll"},
      {REG_SZ, "C:\\lcd.dll", Status::kFound, "C:\\lcd.dll"},  // no terminator
      {REG_SZ, name + '\0', Status::kFound, name},
      {REG_SZ, name + "n" + '\0', Status::kRefused, "the registered path is over 260 bytes"},
      {REG_DWORD, "1234", Status::kRefused, "the registered path is not a string"},
      {REG_SZ, std::string(1, '\0'), Status::kRefused, "the registered path is empty"}};
  for (const auto& [type, bytes, status, text] : rows) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, classKey.c_str());
    if (type != REG_NONE) {
      RegSetKeyValueA(HKEY_LOCAL_MACHINE, (classKey + "\\ServerBinary").c_str(), nullptr, type,
                      bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    const korvan::RegisteredServer read = korvan::RegisteredServerBinary(id);
    EXPECT_EQ(read.status, status) << text;
    EXPECT_EQ(read.text, text);
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, classKey.c_str());
}

}  // namespace
