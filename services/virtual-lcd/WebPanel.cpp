#include "services/virtual-lcd/WebPanel.h"

#include <httplib.h>

#include <charconv>
#include <chrono>
#include <cstdio>

#include "services/virtual-lcd/FrameJson.h"
#include "services/virtual-lcd/PanelPage.h"
#include "services/virtual-lcd/QuietThread.h"

namespace korvan::virtual_lcd {

using namespace std::chrono_literals;

namespace {

// Also the heartbeat that finds closed pages: a write to one fails.
constexpr auto kStreamPeriod = 500ms;

struct StreamState {
  std::uint64_t seen = 0;
  bool started = false;
};

}  // namespace

WebPanel::WebPanel(FrameBoard& board)
    : board_(board), server_(std::make_unique<httplib::Server>()) {
  // One request per connection, a second for an idle one: a page's polls
  // and a browser's spare connections never sit on a worker.
  server_->set_keep_alive_max_count(1);
  server_->set_keep_alive_timeout(1);
  server_->set_read_timeout(1, 0);
  server_->set_write_timeout(1, 0);
  server_->new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
  Route();
}

WebPanel::~WebPanel() {
  Stop();
}

void WebPanel::Route() {
  server_->Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(kPanelPage, "text/html; charset=utf-8");
  });

  server_->Get("/frame", [this](const httplib::Request&, httplib::Response& response) {
    response.set_header("Cache-Control", "no-store");
    response.set_content(FrameJson(board_.Latest(), true), "application/json");
  });

  server_->Post("/button", [this](const httplib::Request& request, httplib::Response& response) {
    const std::string text = request.get_param_value("mask");
    unsigned mask = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mask);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || mask > 15) {
      response.status = 400;
      response.set_content("mask must be 0 to 15\n", "text/plain");
      return;
    }
    board_.SetPanelButtons(mask);
    response.set_content("{\"mask\":" + std::to_string(mask) + "}", "application/json");
  });

  server_->Get("/events", [this](const httplib::Request&, httplib::Response& response) {
    if (streams_.fetch_add(1) >= kMaxStreams) {
      streams_.fetch_sub(1);
      response.status = 503;
      response.set_header("Retry-After", "5");
      response.set_content("too many live views; poll /frame\n", "text/plain");
      return;
    }
    response.set_header("Cache-Control", "no-store");
    auto state = std::make_shared<StreamState>();
    response.set_chunked_content_provider(
        "text/event-stream",
        [this, state](std::size_t, httplib::DataSink& sink) {
          if (board_.IsClosed()) return false;
          bool changed = false;
          if (!state->started) {  // a new page gets the frame at once
            state->started = true;
            changed = board_.Latest().sequence > 0;
          } else {
            changed = board_.WaitPast(state->seen, kStreamPeriod);
          }
          if (board_.IsClosed()) return false;
          const FrameSnapshot snapshot = board_.Latest();
          state->seen = snapshot.sequence;
          const std::string event = "data: " + FrameJson(snapshot, changed) + "\n\n";
          return sink.write(event.data(), event.size());
        },
        [this](bool) { streams_.fetch_sub(1); });
  });
}

bool WebPanel::Start(const PanelAddress& address) {
  int port = address.port;
  if (port == 0) {
    port = server_->bind_to_any_port(address.host);
  } else if (!server_->bind_to_port(address.host, port)) {
    port = -1;
  }
  if (port < 0) {
    std::fprintf(stderr,
                 "lcd-virtual: web panel off: cannot listen on %s:%d (port taken or address "
                 "not available); set LCD_VIRTUAL_HTTP=host:port or off\n",
                 address.host.c_str(), address.port);
    return false;
  }
  thread_ = StartQuietThread([this] { server_->listen_after_bind(); });
  // A stop() before the server runs would be lost and leave it serving.
  for (int i = 0; i < 1000 && !server_->is_running(); ++i) {
    std::this_thread::sleep_for(1ms);
  }
  std::fprintf(stderr, "lcd-virtual: web panel at http://%s:%d/\n", address.host.c_str(), port);
  return true;
}

void WebPanel::Stop() {
  if (!thread_.joinable()) return;
  server_->stop();
  thread_.join();
}

}  // namespace korvan::virtual_lcd
