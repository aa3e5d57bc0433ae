#include "services/virtual-lcd/http/HttpServer.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "platform/system/QuietThread.h"

namespace korvan::virtual_lcd {

using namespace std::chrono_literals;

namespace {

// Also how soon a client that went away is found: the write to it fails.
constexpr auto kHeartbeat = 500ms;
constexpr int kAcceptsPerTurn = 64;

bool IsDone(const std::unique_ptr<HttpConnection>& connection) {
  return connection->phase() == HttpConnection::Phase::kDone;
}

}  // namespace

HttpServer::HttpServer(HttpService& service, Now now) : service_(service), now_(std::move(now)) {}

HttpServer::~HttpServer() {
  Stop();
}

bool HttpServer::Start(SocketHandle listener) {
  if (thread_.joinable() || !wake_.Open()) {
    CloseSocket(listener);
    return false;
  }
  listener_ = listener;
  stopping_.store(false);
  thread_ = StartQuietThread([this] { Serve(); });
  return true;
}

void HttpServer::Stop() {
  if (!thread_.joinable()) return;
  stopping_.store(true);
  wake_.Signal();
  thread_.join();
  connections_.clear();
  held_.store(0);
  CloseSocket(std::exchange(listener_, kNoSocket));
  wake_.Close();
}

void HttpServer::Wake() {
  wake_.Signal();
}

void HttpServer::Serve() {
  std::vector<PollEntry> polls;
  while (!stopping_.load()) Turn(polls);
}

void HttpServer::Turn(std::vector<PollEntry>& polls) {
  // A paused listener is asked for nothing (Winsock's poll takes no
  // placeholder entry).
  const bool accepting = now_() >= acceptPause_;
  polls.assign({{listener_, accepting ? kPollIn : 0u, 0}, {wake_.handle(), kPollIn, 0}});
  for (const auto& connection : connections_)
    polls.push_back({connection->socket(), connection->PollEvents(), 0});
  const int ready = PollSockets(polls, PollTimeout(now_()));
  ++turns_;
  if (ready < 0) return;
  const auto now = now_();
  const bool woken = wake_.Take();
  for (std::size_t i = 0; i < connections_.size(); ++i) {
    HttpConnection& connection = *connections_[i];
    const unsigned found = polls[i + 2].ready;
    if ((found & (kPollIn | kPollHangUp | kPollError)) && connection.Reading())
      Take(connection, now);
    if (found & (kPollOut | kPollHangUp | kPollError)) connection.Write(now);
    connection.Expire(now);
  }
  std::erase_if(connections_, IsDone);
  if (polls[0].ready & kPollIn) AcceptAll(now);
  SendEvents(now, woken);
  std::erase_if(connections_, IsDone);
  held_.store(connections_.size());
  acceptedSeen_.store(accepted_);  // after held_, so a reader of both sees this turn's
}

void HttpServer::AcceptAll(HttpClock::time_point now) {
  for (int i = 0; i < kAcceptsPerTurn; ++i) {
    SocketHandle socket = kNoSocket;
    IpAddress address;
    const AcceptResult result = AcceptOne(listener_, socket, address);
    if (result == AcceptResult::kRetry) continue;
    if (result != AcceptResult::kAccepted) {
      // Out of descriptors, say: the waiting client stays ready, so wait a
      // little rather than spin on it.
      if (result == AcceptResult::kFailed) acceptPause_ = now + 100ms;
      return;
    }
    ++accepted_;
    std::string peer = IpText(address);
    if (!MakeRoom(peer, now)) {
      CloseSocket(socket);
      continue;
    }
    connections_.push_back(std::make_unique<HttpConnection>(socket, std::move(peer), now, limits_));
    // A client's request has mostly come with its connection: answered at
    // once, it is gone before later connections could push it out.
    Take(*connections_.back(), now);
  }
}

// At a cap, the connection that has waited longest on its client goes: the
// newcomer's own when its address is at its cap, else of the address with
// the most; one still sending its request before one being drained, whose
// answer is out. False when every connection is answering, streaming or new.
bool HttpServer::MakeRoom(const std::string& peer, HttpClock::time_point now) {
  std::erase_if(connections_, IsDone);
  std::map<std::string_view, std::size_t> counts;
  for (const auto& connection : connections_) ++counts[connection->peer()];
  const bool peerFull = counts[peer] >= kMaxPerClient;
  if (!peerFull && connections_.size() < kMaxConnections) return true;
  const auto rank = [&counts](const HttpConnection& c) {
    return std::tuple(c.phase() == HttpConnection::Phase::kHead, counts[c.peer()],
                      HttpClock::time_point::max() - c.accepted());
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

void HttpServer::Take(HttpConnection& connection, HttpClock::time_point now) {
  std::optional<HttpParse> parse = connection.Read();
  if (!parse) return;
  if (parse->state == HttpParse::State::kRefused) {
    connection.Answer(AnswerBytes(Refusal(parse->status, parse->reason)), false, now);
    return;
  }
  // HEAD: the GET's answer, headers alone.
  const bool head = parse->request.method == "HEAD";
  if (head) parse->request.method = "GET";
  const HttpAnswer answer = service_.Answer(parse->request, Streams() < kMaxStreams);
  const bool stream = answer.stream && !head;
  connection.Answer(AnswerBytes(answer, !head), stream, now);
  if (stream) {
    connection.mark = 0;  // its first event comes with this turn's
    connection.nextEvent = now;
  }
}

void HttpServer::SendEvents(HttpClock::time_point now, bool woken) {
  for (const auto& connection : connections_) {
    if (connection->phase() != HttpConnection::Phase::kStream) continue;
    if (!woken && now < connection->nextEvent) continue;
    connection->Send(service_.Event(connection->mark));
    connection->Write(now);
    connection->nextEvent = now + kHeartbeat;
  }
}

int HttpServer::PollTimeout(HttpClock::time_point now) const {
  auto next = now + kHeartbeat;
  for (const auto& connection : connections_) {
    next = std::min(next, connection->phase() == HttpConnection::Phase::kStream
                              ? connection->nextEvent
                              : connection->Deadline());
  }
  if (next <= now) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
}

int HttpServer::Streams() const {
  return static_cast<int>(
      std::count_if(connections_.begin(), connections_.end(),
                    [](const auto& c) { return c->phase() == HttpConnection::Phase::kStream; }));
}

}  // namespace korvan::virtual_lcd
