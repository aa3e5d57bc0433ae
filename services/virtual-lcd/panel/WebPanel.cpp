#include "services/virtual-lcd/panel/WebPanel.h"

#include <cstdio>

#include "services/virtual-lcd/panel/PanelRoutes.h"

namespace korvan::virtual_lcd {

WebPanel::~WebPanel() {
  Stop();
}

bool WebPanel::Start(const PanelAddress& address) {
  std::string error;
  if (!sockets_.Start(error)) {
    std::fprintf(stderr, "lcd-virtual: web panel off: %s\n", error.c_str());
    return false;
  }
  const StreamListener listener = ListenOn(address.host, address.port);
  if (listener.socket == kNoSocket) {
    sockets_.Release();
    std::fprintf(stderr,
                 "lcd-virtual: web panel off: cannot listen on %s:%d (port taken or address "
                 "not available); set LCD_VIRTUAL_HTTP=host:port or off\n",
                 address.host.c_str(), address.port);
    return false;
  }
  // Beyond loopback any machine on the network could press the buttons:
  // only those given the printed address with its token may.
  const bool loopback = IsLoopback(listener.address);
  const std::string token = loopback ? std::string() : PanelAccess::NewToken();
  access_ = std::make_unique<PanelAccess>(token, listener.port);
  if (!loopback && token.empty()) CloseSocket(listener.socket);
  if ((!loopback && token.empty()) || !server_.Start(listener.socket)) {
    std::fprintf(stderr, "lcd-virtual: web panel off: no random token or wake-up descriptor\n");
    access_.reset();
    sockets_.Release();
    return false;
  }
  board_.SetPublishHook([server = &server_] { server->Wake(); });
  SayWhere(address, listener, token);
  return true;
}

void WebPanel::Stop() {
  if (!access_) return;
  board_.SetPublishHook({});
  server_.Stop();
  access_.reset();
  sockets_.Release();
}

// Bound to every address: each one another machine can open it by (with
// the token), as 0.0.0.0 opens nothing; this machine's own when it has
// none. Otherwise the address as set.
void WebPanel::SayWhere(const PanelAddress& address, const StreamListener& listener,
                        const std::string& token) const {
  const std::string query = token.empty() ? "" : "?token=" + token;
  const auto say = [&](const std::string& host, bool v6) {
    std::fprintf(stderr, "lcd-virtual: web panel at http://%s%s%s:%d/%s\n", v6 ? "[" : "",
                 host.c_str(), v6 ? "]" : "", listener.port, query.c_str());
  };
  if (!IsUnspecified(listener.address)) {
    say(address.host, address.host.find(':') != std::string::npos);
    return;
  }
  bool said = false;
  for (const IpAddress& reachable : ReachableAddresses()) {
    const bool v6 = reachable.family == IpFamily::kV6;
    if (v6 ? listener.address.family == IpFamily::kV6 : listener.takesIpv4) {
      say(IpText(reachable), v6);
      said = true;
    }
  }
  const bool v6 = listener.address.family == IpFamily::kV6;
  if (!said) say(v6 ? "::1" : "127.0.0.1", v6);
}

HttpAnswer WebPanel::Answer(const HttpRequest& request, bool streamFree) {
  return Route(request, *access_, board_, streamFree);
}

std::string WebPanel::Event(std::uint64_t& mark) {
  const FrameSnapshot snapshot = board_.Latest();
  const bool changed = snapshot.sequence > mark;
  mark = snapshot.sequence;
  return FrameEvent(snapshot, changed);
}

}  // namespace korvan::virtual_lcd
