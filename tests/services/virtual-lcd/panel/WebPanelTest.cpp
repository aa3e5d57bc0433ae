// The web panel against hostile clients (other sites, rebinding host names,
// forms, bad tokens), what it serves, and the addresses it names.
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "services/virtual-lcd/panel/WebPanel.h"
#include "tests/services/virtual-lcd/http/HttpClient.h"
#include "tests/support/Stderr.h"

namespace korvan::virtual_lcd {
namespace {

using namespace std::chrono_literals;

// A panel on `host`, port 0, its port and token read from what it printed.
struct Panel {
  explicit Panel(const char* host, HttpServer::Now now = HttpClock::now)
      : panel(board, std::move(now)) {
    said = korvan::testing::StderrOf([&] { EXPECT_TRUE(panel.Start({host, 0})); });
    const auto slash = said.find('/', said.find("//") + 2);
    port = std::stoi(said.substr(said.rfind(':', slash) + 1));
    if (const auto at = said.find("?token="); at != std::string::npos)
      token = said.substr(at + 7, said.find('\n') - at - 7);
  }
  // `request` with {P} as the port, {T} as the token and {S} as the token one character short.
  std::string Ask(std::string request) {
    const std::string shorter = token.substr(0, token.size() - 1);
    for (const auto& [mark, value] :
         {std::pair{"{P}", std::to_string(port)}, {"{T}", token}, {"{S}", shorter}})
      for (auto at = request.find(mark); at != std::string::npos; at = request.find(mark))
        request.replace(at, 3, value);
    return virtual_lcd::Ask(port, request);
  }
  FrameBoard board;
  WebPanel panel;
  std::string said;
  int port = 0;
  std::string token;
};

// Only `localhost` or an IP literal may name the panel, no other site may send
// to it, a press must be JSON; beyond loopback the printed token, then its
// cookie, let a client in, no shorter or empty one. Only allowed presses count.
TEST(WebPanel, RefusesOtherSitesFormsAndMissingTokens) {
  Panel local("127.0.0.1");
  Panel wide("0.0.0.0");
  EXPECT_EQ(local.token, "");
  EXPECT_EQ(wide.token.size(), 32u);
  const std::string json = "application/json", ok = "Host: 127.0.0.1:{P}\r\n";
  const std::string cookie = ok + "Cookie: a=b; korvan_panel_{P}={T}\r\n";
  const std::string allow = "\r\nContent-Type: text/plain; charset=utf-8\r\nAllow: ";
  const auto get = [](const std::string& target, const std::string& headers) {
    return "GET " + target + " HTTP/1.1\r\n" + headers + "\r\n";
  };
  const struct {
    Panel& panel;
    std::string request;
    std::string answer;  // after "HTTP/1.1 "
  } rows[] = {
      {local, get("/frame", ok), "200 OK"},
      {local, get("/frame", "Host: LocalHost\r\n"), "200 OK"},
      {local, get("/frame", "Host: [::1]:{P}\r\n"), "200 OK"},
      {local, get("/frame", "Host: evil.example:{P}\r\n"), "403 Forbidden"},
      {local, get("/frame", "Host: 127.0.0.1.evil.example\r\n"), "403 Forbidden"},
      {local, get("/frame", ""), "400 Bad Request"},
      {local, Press("Host: evil.example:{P}\r\n", "text/plain", "mask=2"), "403 Forbidden"},
      {local, Press(ok + "Origin: http://evil.example\r\n", json, "{\"mask\":2}"), "403 Forbidden"},
      {local, Press(ok, "text/plain", "{\"mask\":2}"), "415 Unsupported Media Type"},
      {local, Press(ok, "application/x-www-form-urlencoded", "mask=2"),
       "415 Unsupported Media Type"},
      {local, Press(ok, json, "{\"mask\":16}"), "400 Bad Request"},
      {local, Press(ok, json, "\"mask\":2}"), "400 Bad Request"},
      {local, Press(ok, json + " ; charset=utf-8", "{\"mask\":4}"), "200 OK"},
      {local, get("/button", ok), "405 Method Not Allowed" + allow + "POST"},
      {local, "POST /frame HTTP/1.1\r\n" + ok + "Content-Length: 0\r\n\r\n",
       "405 Method Not Allowed" + allow + "GET, HEAD"},
      {local, Press(ok + "Origin: http://127.0.0.1:{P}\r\n", json, "{ \"mask\": 4 }"), "200 OK"},
      {wide, get("/frame", ok), "403 Forbidden"},
      {wide, get("/frame?token=0123456789abcdef0123456789abcdef", ok), "403 Forbidden"},
      {wide, get("/frame?token={S}", ok), "403 Forbidden"},
      {wide, get("/frame?token=", ok), "403 Forbidden"},
      {wide, get("/frame?tokes={T}", ok), "403 Forbidden"},
      {wide, get("/frame", ok + "Cookie: korvan_panel_{P}={S}\r\n"), "403 Forbidden"},
      {wide, get("/frame", ok + "Cookie: korvan_panel_{P}=\r\n"), "403 Forbidden"},
      {wide, get("/?token={T}", ok), "200 OK"},
      {wide, get("/frame", cookie), "200 OK"},
      {wide, Press(cookie, json, "{\"mask\":8}"), "200 OK"},
  };
  for (const auto& row : rows) {
    const std::string answer = row.panel.Ask(row.request);
    EXPECT_EQ(answer.substr(0, 9 + row.answer.size()), "HTTP/1.1 " + row.answer)
        << row.request << "\n" + answer;
  }
  EXPECT_EQ(local.board.TakePanelButtons(), 4u);
  EXPECT_EQ(wide.board.TakePanelButtons(), 8u);
  const std::string withToken = wide.Ask(get("/?token={T}", ok));
  EXPECT_NE(withToken.find("\r\nSet-Cookie: korvan_panel_" + std::to_string(wide.port) + "=" +
                           wide.token + "; Path=/; HttpOnly; SameSite=Strict\r\n"),
            std::string::npos);
  // 128 random bits, four a digit: each of the 16 values comes up as the high and the low half.
  std::string halves[2];
  for (int i = 0; i < 1024; ++i) halves[i % 2] += PanelAccess::NewToken()[i % 32];
  for (const std::string& half : halves)
    for (const char digit : std::string_view("0123456789abcdef"))
      EXPECT_NE(half.find(digit), std::string::npos) << half;
}

// HEAD gets each GET route's headers and no body. Bound to all addresses, the
// panel names each one it can be opened by (not 0.0.0.0), with its token.
TEST(WebPanel, AnswersHeadAndNamesTheAddressesItCanBeOpenedBy) {
  Panel local("127.0.0.1");
  for (const std::string path : {"/", "/panel.css", "/panel.js", "/frame", "/frame.png", "/none"}) {
    const std::string get = local.Ask("GET " + path + " HTTP/1.1\r\nHost: localhost\r\n\r\n");
    EXPECT_EQ(local.Ask("HEAD " + path + " HTTP/1.1\r\nHost: localhost\r\n\r\n"),
              get.substr(0, get.find("\r\n\r\n") + 4));
  }
  const std::string stream = local.Ask("HEAD /events HTTP/1.1\r\nHost: localhost\r\n\r\n");
  EXPECT_EQ(stream.substr(0, 50), "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\n");
  EXPECT_EQ(stream.find("\r\n\r\n"), stream.size() - 4) << stream;

  EXPECT_TRUE(Panel("::1").said.starts_with("lcd-virtual: web panel at http://[::1]:"));
  Panel wide("0.0.0.0");
  EXPECT_EQ(wide.said.find("0.0.0.0"), std::string::npos) << wide.said;
  std::istringstream lines(wide.said);
  for (std::string line; std::getline(lines, line);) {
    const std::string host = line.substr(33, line.rfind(':') - 33);  // after http://
    EXPECT_EQ(line, "lcd-virtual: web panel at http://" + host + ":" + std::to_string(wide.port) +
                        "/?token=" + wide.token);
    const std::string address = host.front() == '[' ? host.substr(1, host.size() - 2) : host;
    const std::string page =
        "GET /?token=" + wide.token + " HTTP/1.1\r\nHost: " + host + "\r\n\r\n";
    EXPECT_EQ(Ask(wide.port, page, address).substr(0, 12), "HTTP/1.1 200") << line;
  }
}

// With the server's clock held still no heartbeat comes due: its loop sends a
// live page nothing, and a new frame reaches it at once as it wakes the server.
TEST(WebPanel, ANewFrameWakesTheServerForItsLivePages) {
  const auto still = HttpClock::now();
  Panel local("127.0.0.1", [still] { return still; });
  const SocketHandle page = Dial(local.port, "GET /events HTTP/1.1\r\nHost: localhost\r\n\r\n");
  EXPECT_TRUE(Sees(page, "data: {\"seq\":0", 5s));
  const std::uint64_t turns = local.panel.server().Turns();
  for (int polls = 0; local.panel.server().Turns() < turns + 2 && polls < 100; ++polls)
    std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(Sees(page, "data: ", 50ms));
  const Pixels lit{};
  local.board.Publish(lit.data());
  EXPECT_TRUE(Sees(page, "data: {\"seq\":1", 5s));
  CloseSocket(page);
}

}  // namespace
}  // namespace korvan::virtual_lcd
