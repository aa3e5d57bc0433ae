// The web panel against hostile clients: other sites, rebinding host names,
// forms, missing tokens, idle connections and oversized heads.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "services/virtual-lcd/WebPanel.h"
#include "tests/services/PanelClient.h"

namespace korvan::virtual_lcd {
namespace {

// A panel on `host`, port 0: its port and token read from the line it printed.
struct Panel {
  explicit Panel(const char* host) {
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(panel.Start({host, 0}));
    const std::string said = ::testing::internal::GetCapturedStderr();
    port = std::stoi(said.substr(said.rfind(':') + 1));
    if (const auto at = said.find("?token="); at != std::string::npos)
      token = said.substr(at + 7, said.find('\n') - at - 7);
  }
  // `request` with {P} as the port and {T} as the token.
  std::string Ask(std::string request) {
    for (const auto& [mark, value] : {std::pair{"{P}", std::to_string(port)}, {"{T}", token}})
      for (auto at = request.find(mark); at != std::string::npos; at = request.find(mark))
        request.replace(at, 3, value);
    return virtual_lcd::Ask(port, request);
  }
  FrameBoard board;
  WebPanel panel{board};
  int port = 0;
  std::string token;
};

std::string Press(const std::string& headers, const std::string& type, const std::string& body) {
  return "POST /button HTTP/1.1\r\n" + headers + "Content-Type: " + type +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// Only `localhost` or an IP literal may name the panel, no other site may
// send to it, a button press must be JSON; beyond loopback the printed
// token, then its cookie, let a client in. Only the one allowed press on
// loopback reaches the buttons.
TEST(WebPanel, RefusesOtherSitesFormsAndMissingTokens) {
  Panel local("127.0.0.1");
  Panel wide("0.0.0.0");
  EXPECT_EQ(local.token, "");
  EXPECT_EQ(wide.token.size(), 32u);
  const std::string json = "application/json", ok = "Host: 127.0.0.1:{P}\r\n";
  const std::string cookie = ok + "Cookie: a=b; korvan_panel_{P}={T}\r\n";
  const struct {
    Panel& panel;
    std::string request;
    std::string answer;
  } rows[] = {
      {local, "GET /frame HTTP/1.1\r\nHost: 127.0.0.1:{P}\r\n\r\n", "HTTP/1.1 200"},
      {local, "GET /frame HTTP/1.1\r\nHost: LocalHost\r\n\r\n", "HTTP/1.1 200"},
      {local, "GET /frame HTTP/1.1\r\nHost: [::1]:{P}\r\n\r\n", "HTTP/1.1 200"},
      {local, "GET /frame HTTP/1.1\r\nHost: evil.example:{P}\r\n\r\n", "HTTP/1.1 403"},
      {local, "GET /frame HTTP/1.1\r\nHost: 127.0.0.1.evil.example\r\n\r\n", "HTTP/1.1 403"},
      {local, "GET /frame HTTP/1.1\r\n\r\n", "HTTP/1.1 400"},
      {local, Press("Host: evil.example:{P}\r\n", "text/plain", "mask=2"), "HTTP/1.1 403"},
      {local, Press(ok + "Origin: http://evil.example\r\n", json, "{\"mask\":2}"), "HTTP/1.1 403"},
      {local, Press(ok, "text/plain", "{\"mask\":2}"), "HTTP/1.1 415"},
      {local, Press(ok, "application/x-www-form-urlencoded", "mask=2"), "HTTP/1.1 415"},
      {local, Press(ok, json, "{\"mask\":16}"), "HTTP/1.1 400"},
      {local, Press(ok + "Origin: http://127.0.0.1:{P}\r\n", json, "{ \"mask\": 4 }"),
       "HTTP/1.1 200"},
      {wide, "GET /frame HTTP/1.1\r\n" + ok + "\r\n", "HTTP/1.1 403"},
      {wide, "GET /frame?token=0123456789abcdef0123456789abcdef HTTP/1.1\r\n" + ok + "\r\n",
       "HTTP/1.1 403"},
      {wide, "GET /?token={T} HTTP/1.1\r\n" + ok + "\r\n", "HTTP/1.1 200"},
      {wide, "GET /frame HTTP/1.1\r\n" + cookie + "\r\n", "HTTP/1.1 200"},
      {wide, Press(cookie, json, "{\"mask\":8}"), "HTTP/1.1 200"},
  };
  for (const auto& row : rows) {
    const std::string answer = row.panel.Ask(row.request);
    EXPECT_EQ(answer.substr(0, row.answer.size()), row.answer) << row.request << "\n" << answer;
  }
  EXPECT_EQ(local.board.TakePanelButtons(), 4u);
  EXPECT_EQ(wide.board.TakePanelButtons(), 8u);
  const std::string withToken = wide.Ask("GET /?token={T} HTTP/1.1\r\n" + ok + "\r\n");
  EXPECT_NE(withToken.find("\r\nSet-Cookie: korvan_panel_" + std::to_string(wide.port) + "=" +
                           wide.token + "; Path=/; HttpOnly; SameSite=Strict\r\n"),
            std::string::npos);
}

// 200 connections that send half a request and wait, reopened whenever the
// panel drops one, keep no fresh client out; too many or too large headers
// are refused and their connection closed.
TEST(WebPanel, AnswersBesideIdleConnectionsAndRefusesHugeHeads) {
  Panel local("127.0.0.1");
  std::atomic<bool> stop{false};
  std::atomic<int> opened{0};
  std::thread idler([&] {
    std::vector<PollEntry> idle(200, PollEntry{kNoSocket, POLLIN, 0});
    while (!stop.load()) {
      for (PollEntry& connection : idle) {
        if (connection.fd != kNoSocket && connection.revents == 0) continue;
        CloseSocket(connection.fd);
        connection.fd = Dial(local.port, "GET /frame HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Wait: ");
        ++opened;
      }
      PollSockets(idle.data(), idle.size(), 10);
    }
    for (const PollEntry& connection : idle) CloseSocket(connection.fd);
  });
  while (opened.load() < 200) std::this_thread::yield();
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(local.Ask("GET /frame HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n").substr(0, 12),
              "HTTP/1.1 200");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << i;
  }
  stop.store(true);
  idler.join();
  std::string many;
  for (int i = 0; i < 65; ++i) many += "X-" + std::to_string(i) + ": 1\r\n";
  for (const std::string& headers : {many, "X-Big: " + std::string(9000, 'a') + "\r\n"}) {
    const std::string answer =
        local.Ask("GET / HTTP/1.1\r\nHost: localhost\r\n" + headers + "\r\n");
    EXPECT_EQ(answer.substr(0, 12), "HTTP/1.1 431") << answer;  // Ask saw the close
  }
}

}  // namespace
}  // namespace korvan::virtual_lcd
