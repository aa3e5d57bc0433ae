#include "services/virtual-lcd/WebPanel.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <tuple>

#include "services/virtual-lcd/PanelRoutes.h"
#include "services/virtual-lcd/PanelSocket.h"
#include "services/virtual-lcd/QuietThread.h"

namespace korvan::virtual_lcd {

using namespace std::chrono_literals;

namespace {

// Also how soon a page that went away is found: the write to it fails.
constexpr auto kHeartbeat = 500ms;
constexpr int kAcceptsPerTurn = 64;

bool IsDone(const std::unique_ptr<PanelConnection>& connection) {
  return connection->phase() == PanelConnection::Phase::kDone;
}

}  // namespace

WebPanel::WebPanel(FrameBoard& board) : board_(board) {}

WebPanel::~WebPanel() {
  Stop();
}

bool WebPanel::Start(const PanelAddress& address) {
  if (!StartSockets()) {
    std::fprintf(stderr, "lcd-virtual: web panel off: the socket library did not start\n");
    return false;
  }
  const PanelListener listener = ListenOn(address);
  if (listener.fd == kNoSocket) {
    StopSockets();
    std::fprintf(stderr,
                 "lcd-virtual: web panel off: cannot listen on %s:%d (port taken or address "
                 "not available); set LCD_VIRTUAL_HTTP=host:port or off\n",
                 address.host.c_str(), address.port);
    return false;
  }
  // Beyond loopback any machine on the network could press the buttons:
  // only those given the printed address with its token may.
  const std::string token = listener.loopback ? std::string() : PanelAccess::NewToken();
  if ((!listener.loopback && token.empty()) || !wake_.Open()) {
    std::fprintf(stderr, "lcd-virtual: web panel off: no random token or wake-up descriptor\n");
    CloseSocket(listener.fd);
    wake_.Close();
    StopSockets();
    return false;
  }
  listener_ = listener.fd;
  access_ = std::make_unique<PanelAccess>(token, listener.port);
  board_.SetPublishHook([wake = &wake_] { wake->Signal(); });
  stopping_.store(false);
  thread_ = StartQuietThread([this] { Serve(); });
  const bool v6 = address.host.find(':') != std::string::npos;
  std::fprintf(stderr, "lcd-virtual: web panel at http://%s%s%s:%d/%s%s\n", v6 ? "[" : "",
               address.host.c_str(), v6 ? "]" : "", listener.port,
               token.empty() ? "" : "?token=", token.c_str());
  return true;
}

void WebPanel::Stop() {
  if (!thread_.joinable()) return;
  board_.SetPublishHook({});
  stopping_.store(true);
  wake_.Signal();
  thread_.join();
  connections_.clear();
  CloseSocket(listener_);
  listener_ = kNoSocket;
  wake_.Close();
  StopSockets();
}

void WebPanel::Serve() {
  std::vector<PollEntry> polls;
  while (!stopping_.load()) {
    // A paused listener is asked for no events (Winsock's poll takes no
    // placeholder entry).
    const bool accepting = PanelClock::now() >= acceptPause_;
    polls.assign(
        {{listener_, static_cast<short>(accepting ? POLLIN : 0), 0}, {wake_.handle(), POLLIN, 0}});
    for (const auto& connection : connections_) {
      polls.push_back({connection->fd(), connection->PollEvents(), 0});
    }
    if (PollSockets(polls.data(), polls.size(), PollTimeout(PanelClock::now())) < 0) continue;
    const auto now = PanelClock::now();
    const bool newFrame = wake_.Take();
    for (std::size_t i = 0; i < connections_.size(); ++i) {
      PanelConnection& connection = *connections_[i];
      const short events = polls[i + 2].revents;
      if ((events & (POLLIN | POLLHUP | POLLERR)) && connection.Reading()) Take(connection, now);
      if (events & (POLLOUT | POLLHUP | POLLERR)) connection.Write(now);
      connection.Expire(now);
    }
    std::erase_if(connections_, IsDone);
    if (polls[0].revents & POLLIN) AcceptAll(now);
    SendEvents(now, newFrame);
    std::erase_if(connections_, IsDone);
  }
}

void WebPanel::AcceptAll(PanelClock::time_point now) {
  for (int i = 0; i < kAcceptsPerTurn; ++i) {
    sockaddr_storage address{};
    SocketHandle fd = kNoSocket;
    const AcceptResult result = AcceptOne(listener_, address, fd);
    if (result == AcceptResult::kRetry) continue;
    if (result != AcceptResult::kAccepted) {
      // Out of descriptors, say: the waiting client stays ready, so wait a
      // little rather than spin on it.
      if (result == AcceptResult::kFailed) acceptPause_ = now + 100ms;
      return;
    }
    std::string peer = PeerName(address);
    if (!MakeRoom(peer, now)) {
      CloseSocket(fd);
      continue;
    }
    connections_.push_back(std::make_unique<PanelConnection>(fd, std::move(peer), now, limits_));
    // A client's request has mostly come with its connection: answered at
    // once, it is gone before later connections could push it out.
    Take(*connections_.back(), now);
  }
}

// At a cap, the connection that has waited longest on its client goes: the
// newcomer's own when its address is at its cap, else of the address with
// the most; one still sending its request before one being drained, whose
// answer is out. False when every connection is answering, streaming or new.
bool WebPanel::MakeRoom(const std::string& peer, PanelClock::time_point now) {
  std::erase_if(connections_, IsDone);
  std::map<std::string_view, std::size_t> counts;
  for (const auto& connection : connections_) ++counts[connection->peer()];
  const bool peerFull = counts[peer] >= kMaxPerClient;
  if (!peerFull && connections_.size() < kMaxConnections) return true;
  const auto rank = [&counts](const PanelConnection& c) {
    return std::tuple(c.phase() == PanelConnection::Phase::kHead, counts[c.peer()],
                      PanelClock::time_point::max() - c.accepted());
  };
  auto victim = connections_.end();
  for (auto at = connections_.begin(); at != connections_.end(); ++at) {
    if (!(*at)->Evictable(now) || (peerFull && (*at)->peer() != peer)) continue;
    if (victim == connections_.end() || rank(**at) > rank(**victim)) victim = at;
  }
  if (victim == connections_.end()) return false;
  connections_.erase(victim);
  return true;
}

void WebPanel::Take(PanelConnection& connection, PanelClock::time_point now) {
  const std::optional<HttpParse> parse = connection.Read();
  if (!parse) return;
  if (parse->state == HttpParse::State::kRefused) {
    connection.Answer(AnswerBytes(Refusal(parse->status, parse->reason)), false, now);
    return;
  }
  const PanelAnswer answer = Route(parse->request, *access_, board_, Streams() < kMaxStreams);
  connection.Answer(AnswerBytes(answer), answer.stream, now);
  if (answer.stream) {
    connection.seen = 0;  // its first event comes with this turn's
    connection.nextEvent = now;
  }
}

void WebPanel::SendEvents(PanelClock::time_point now, bool newFrame) {
  std::optional<FrameSnapshot> snapshot;
  for (const auto& connection : connections_) {
    if (connection->phase() != PanelConnection::Phase::kStream) continue;
    if (!newFrame && now < connection->nextEvent) continue;
    if (!snapshot) snapshot = board_.Latest();
    connection->Send(FrameEvent(*snapshot, snapshot->sequence > connection->seen));
    connection->Write(now);
    connection->seen = snapshot->sequence;
    connection->nextEvent = now + kHeartbeat;
  }
}

int WebPanel::PollTimeout(PanelClock::time_point now) const {
  auto next = now + kHeartbeat;
  for (const auto& connection : connections_) {
    next = std::min(next, connection->phase() == PanelConnection::Phase::kStream
                              ? connection->nextEvent
                              : connection->Deadline());
  }
  if (next <= now) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

int WebPanel::Streams() const {
  return static_cast<int>(
      std::count_if(connections_.begin(), connections_.end(),
                    [](const auto& c) { return c->phase() == PanelConnection::Phase::kStream; }));
}

}  // namespace korvan::virtual_lcd
