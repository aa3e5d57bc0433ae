// The web panel over loopback: many open pages, the polled fallbacks, a
// taken port. Every wait is bounded.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/services/VirtualLcdEnvironment.h"
#include "tests/services/VirtualService.h"

namespace korvan {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::FrameBlock;
using testing::VirtualService;

// A raw connection, so that a test can hold a stream open without reading it.
class Connection {
 public:
  explicit Connection(int port) : socket_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~Connection() { Close(); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void Send(const std::string& text) {
    ASSERT_TRUE(connected_);
    ASSERT_EQ(send(socket_, text.data(), text.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(text.size()));
  }
  // What arrives until `until` is found or the time is up.
  std::string ReadUntil(const std::string& until, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (received_.find(until) == std::string::npos && Clock::now() < deadline) {
      pollfd wait{socket_, POLLIN, 0};
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (poll(&wait, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0) break;
      char buffer[4096];
      const ssize_t length = recv(socket_, buffer, sizeof buffer, 0);
      if (length <= 0) break;
      received_.append(buffer, static_cast<std::size_t>(length));
    }
    return received_;
  }
  void Forget() { received_.clear(); }
  void Close() {
    if (socket_ >= 0) close(socket_);
    socket_ = -1;
  }

 private:
  int socket_;
  bool connected_ = false;
  std::string received_;
};

std::string EventsRequest() {
  return "GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: text/event-stream\r\n\r\n";
}

class Panel : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetVirtualLcdEnvironment(); }

  // Opens the device with the panel asked for at `where`; what the service
  // wrote to standard error meanwhile.
  std::string OpenWithPanel(const std::string& where) {
    setenv("LCD_VIRTUAL_HTTP", where.c_str(), 1);
    ::testing::internal::CaptureStderr();
    device = service.Open();
    return ::testing::internal::GetCapturedStderr();
  }

  VirtualService service;
  std::int32_t device = -1;
};

TEST_F(Panel, TwelveOpenPagesLeavePageFrameAndButtonAnsweringWithinASecond) {
  const int port = testing::TestPort(1);
  const std::string started = OpenWithPanel(std::to_string(port));  // a bare port: loopback
  ASSERT_NE(started.find("web panel at http://127.0.0.1:" + std::to_string(port)),
            std::string::npos)
      << started;
  // The first pixel lit, the rest dark.
  ASSERT_EQ(service.Push(device, FrameBlock([](int i) { return i == 0 ? 255 : 0; })), kLcdOk);

  std::vector<std::unique_ptr<Connection>> pages;
  int live = 0;
  int refused = 0;
  for (int i = 0; i < 12; ++i) {
    pages.push_back(std::make_unique<Connection>(port));
    pages.back()->Send(EventsRequest());
    const std::string answer = pages.back()->ReadUntil("\r\n\r\n", 2s);
    if (answer.rfind("HTTP/1.1 200", 0) == 0) ++live;
    if (answer.rfind("HTTP/1.1 503", 0) == 0) ++refused;
  }
  EXPECT_EQ(live, 4);
  EXPECT_EQ(refused, 8);

  httplib::Client client("127.0.0.1", port);
  client.set_connection_timeout(1, 0);
  client.set_read_timeout(1, 0);
  for (int round = 0; round < 3; ++round) {
    const auto before = Clock::now();
    const auto frame = client.Get("/frame");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->status, 200);
    EXPECT_NE(frame->body.find("\"seq\":1,\"connected\":true,\"result\":0,\"pixels\":\"80"),
              std::string::npos);
    const auto button = client.Post("/button", "mask=8", "application/x-www-form-urlencoded");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->status, 200);
    EXPECT_LT(Clock::now() - before, 1s);
    EXPECT_EQ(service.Buttons(device), 8u);
  }
  const auto bad = client.Post("/button", "mask=16", "application/x-www-form-urlencoded");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->status, 400);
  const auto page = client.Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  EXPECT_NE(page->body.find("new EventSource(\"/events\")"), std::string::npos);
}

TEST_F(Panel, StreamsSendFramesAndHeartbeatsAndFreeTheirPlaceWhenClosed) {
  const int port = testing::TestPort(2);
  OpenWithPanel("127.0.0.1:" + std::to_string(port));

  std::vector<std::unique_ptr<Connection>> streams;
  for (int i = 0; i < 4; ++i) {
    streams.push_back(std::make_unique<Connection>(port));
    streams.back()->Send(EventsRequest());
    ASSERT_EQ(streams.back()->ReadUntil("\r\n\r\n", 2s).rfind("HTTP/1.1 200", 0), 0u);
  }
  Connection& watcher = *streams[0];
  // Without frames: heartbeats (status only) at least once a second.
  watcher.Forget();
  EXPECT_NE(watcher.ReadUntil("\"result\":0}", 1500ms).find("data: {\"seq\":0"), std::string::npos);
  // A pushed frame arrives with its pixels.
  watcher.Forget();
  ASSERT_EQ(service.Push(device, FrameBlock([](int) { return 255; })), kLcdOk);
  EXPECT_NE(watcher.ReadUntil("\"pixels\":\"ffff", 1s).find("\"seq\":1"), std::string::npos);

  // Pages that go away give their stream back within a heartbeat or two.
  for (auto& stream : streams) stream->Close();
  bool admitted = false;
  const auto deadline = Clock::now() + 3s;
  while (!admitted && Clock::now() < deadline) {
    Connection next(port);
    next.Send(EventsRequest());
    admitted = next.ReadUntil("\r\n\r\n", 1s).rfind("HTTP/1.1 200", 0) == 0;
  }
  EXPECT_TRUE(admitted);
  EXPECT_EQ(service->Cleanup(), kLcdOk);  // ends with a stream still open
}

TEST_F(Panel, TakenPortIsReportedOnOneLineAndTheServiceRunsOn) {
  const int port = testing::TestPort(4);
  const int taker = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(taker, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(taker, 1), 0);

  const std::string message = OpenWithPanel("127.0.0.1:" + std::to_string(port));
  EXPECT_NE(message.find("cannot listen on 127.0.0.1:" + std::to_string(port)), std::string::npos)
      << message;
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
  EXPECT_EQ(service.Push(device, FrameBlock([](int) { return 0; })), kLcdOk);
  EXPECT_EQ(service->Cleanup(), kLcdOk);
  close(taker);
}

}  // namespace
}  // namespace korvan
