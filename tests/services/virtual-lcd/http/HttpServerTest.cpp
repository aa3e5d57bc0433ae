// The HTTP server over loopback: what it refuses, exactly at its limits and
// one past them; clients that close at once, or never finish, hold nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/system/SocketLibrary.h"
#include "services/virtual-lcd/http/HttpServer.h"
#include "tests/services/virtual-lcd/http/HttpClient.h"

namespace korvan::virtual_lcd {
namespace {

using namespace std::chrono_literals;

// Answers every request with the size of its body.
struct SizeService final : HttpService {
  HttpAnswer Answer(const HttpRequest& request, bool) override {
    return {200, "text/plain", std::to_string(request.body.size()), {}};
  }
  std::string Event(std::uint64_t&) override { return {}; }
};

// A server on a free loopback port, its clock `now`.
struct Server {
  explicit Server(HttpServer::Now now = HttpClock::now) : server(service, std::move(now)) {
    std::string error;
    EXPECT_TRUE(sockets.Start(error)) << error;
    const StreamListener listener = ListenOn("127.0.0.1", 0);
    port = listener.port;
    EXPECT_TRUE(server.Start(listener.socket));
  }
  SocketLibrary sockets;
  SizeService service;
  HttpServer server;
  int port = 0;
};

// `start` padded with a header "X-Pad: aaa" so the head is `size` bytes long.
std::string Head(const std::string& start, std::size_t size) {
  return start + "X-Pad: " + std::string(size - start.size() - 11, 'a') + "\r\n\r\n";
}

std::string Post(const std::string& headers, std::size_t body) {
  return "POST / HTTP/1.1\r\nHost: a\r\n" + headers + "\r\n" + std::string(body, 'b');
}

// Each refusal once, and each limit exactly at it (taken) and one past (refused).
TEST(HttpServer, RefusesWhatItCannotTakeFromOnePastItsLimits) {
  Server local;
  const HttpLimits limits;
  std::string headers;
  for (std::size_t i = 1; i < limits.maxHeaders; ++i)
    headers += "X-" + std::to_string(i) + ": 1\r\n";
  const struct {
    std::string request;
    std::string answer;
  } rows[] = {
      {"GET\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
      {Post("Transfer-Encoding: chunked\r\n", 0), "HTTP/1.1 501 Not Implemented\r\n"},
      {"GET / HTTP/2.0\r\nHost: a\r\n\r\n", "HTTP/1.1 505 HTTP Version Not Supported\r\n"},
      {Post("Content-Length: 2\r\nContent-Length: 3\r\n", 3), "HTTP/1.1 400 Bad Request\r\n"},
      {Post("Content-Length: 2\r\nContent-Length: 2\r\n", 2), "HTTP/1.1 200 OK\r\n"},
      {Post("Content-Length: -0\r\n", 0), "HTTP/1.1 400 Bad Request\r\n"},
      {Post("X-Tab: a\tb\r\n", 0), "HTTP/1.1 200 OK\r\n"},
      {Post("X-Control: a\x01b\r\n", 0), "HTTP/1.1 400 Bad Request\r\n"},
      {Post("Content-Length: 1024\r\n", limits.maxBody), "HTTP/1.1 200 OK\r\n"},
      {Post("Content-Length: 1025\r\n", limits.maxBody + 1), "HTTP/1.1 413 Content Too Large\r\n"},
      {Head("GET / HTTP/1.1\r\n", limits.maxHead), "HTTP/1.1 200 OK\r\n"},
      {Head("GET / HTTP/1.1\r\n", limits.maxHead + 1),
       "HTTP/1.1 431 Request Header Fields Too Large\r\n"},
      {"GET / HTTP/1.1\r\nHost: a\r\n" + headers + "\r\n", "HTTP/1.1 200 OK\r\n"},
      {"GET / HTTP/1.1\r\nHost: a\r\n" + headers + "X-0: 1\r\n\r\n", "HTTP/1.1 431 Request"},
  };
  for (const auto& row : rows) {
    const std::string answer = Ask(local.port, row.request);
    EXPECT_EQ(answer.substr(0, row.answer.size()), row.answer) << row.request.substr(0, 80);
  }
}

// With its clock stopped no deadline frees a connection (nor makes a silent one old enough to give
// way): only a client's close frees its slot. 16 that close at once leave none held; 16 silent ones
// keep a 17th from their address out until they close. Then the loop waits, woken once by Wake.
TEST(HttpServer, ClientsThatConnectAndCloseAtOnceFreeTheirSlotsAndTheServerStaysIdle) {
  const auto stopped = HttpClock::now();
  Server local([stopped] { return stopped; });
  const auto reaches = [&local](std::uint64_t accepted, std::size_t held) {  // within 5 s
    for (const auto end = HttpClock::now() + 5s; HttpClock::now() < end;) {
      if (local.server.Accepted() == accepted && local.server.Connections() == held) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  };
  EXPECT_EQ(local.server.Accepted() + local.server.Connections(), 0u);  // none yet
  for (std::size_t i = 0; i < HttpServer::kMaxPerClient; ++i) CloseSocket(Dial(local.port, ""));
  ASSERT_TRUE(reaches(16, 0));
  std::vector<SocketHandle> silent;
  for (std::size_t i = 0; i < HttpServer::kMaxPerClient; ++i)
    silent.push_back(Dial(local.port, ""));
  ASSERT_TRUE(reaches(32, 16));
  EXPECT_EQ(Ask(local.port, "GET / HTTP/1.1\r\nHost: a\r\n\r\n"), "");
  for (const SocketHandle socket : silent) CloseSocket(socket);
  ASSERT_TRUE(reaches(33, 0));
  const std::uint64_t turns = local.server.Turns();
  local.server.Wake();
  std::this_thread::sleep_for(200ms);
  EXPECT_LE(local.server.Turns() - turns, 3u);
  EXPECT_EQ(Ask(local.port, "GET / HTTP/1.1\r\nHost: a\r\n\r\n").substr(0, 12), "HTTP/1.1 200");
}

// 200 half-sent requests, reopened whenever the server drops one, keep no fresh client out.
TEST(HttpServer, AnswersBesideIdleConnections) {
  Server local;
  std::atomic<bool> stop{false};
  std::atomic<int> opened{0};
  std::thread idler([&] {
    std::vector<PollEntry> idle(200, PollEntry{kNoSocket, kPollIn, 0});
    while (!stop.load()) {
      for (PollEntry& connection : idle) {
        if (connection.socket != kNoSocket && connection.ready == 0) continue;
        CloseSocket(connection.socket);
        connection.socket = Dial(local.port, "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Wait: ");
        ++opened;
      }
      PollSockets(idle, 10);
    }
    for (const PollEntry& connection : idle) CloseSocket(connection.socket);
  });
  while (opened.load() < 200) std::this_thread::yield();
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Ask(local.port, "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n").substr(0, 12),
              "HTTP/1.1 200");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << i;
  }
  stop.store(true);
  idler.join();
}

}  // namespace
}  // namespace korvan::virtual_lcd
