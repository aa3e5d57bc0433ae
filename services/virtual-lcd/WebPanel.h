#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "services/virtual-lcd/FrameBoard.h"
#include "services/virtual-lcd/Settings.h"

namespace httplib {
class Server;
}

namespace korvan::virtual_lcd {

// The web panel: one page with the live LCD, four soft buttons and a status
// line, served on threads of its own.
//   GET /        the page
//   GET /events  server-sent events: the frame whenever a new one is shown,
//                at least every half second; 503 beyond kMaxStreams
//   GET /frame   the latest frame, for pages that cannot have a stream
//   POST /button mask=N: the soft buttons now held on a page
// Each open stream holds a worker thread, so streams are capped below the
// pool's size and the polled requests always find a free worker.
class WebPanel {
 public:
  static constexpr int kWorkers = 8;
  static constexpr int kMaxStreams = 4;

  explicit WebPanel(FrameBoard& board);
  ~WebPanel();
  WebPanel(const WebPanel&) = delete;
  WebPanel& operator=(const WebPanel&) = delete;

  // Binds on the caller's thread, so a taken port is known at once; then
  // serves on its own. False (and one line on standard error) if it cannot.
  bool Start(const PanelAddress& address);
  // The board must be closed first, so that open streams end.
  void Stop();

 private:
  void Route();

  FrameBoard& board_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::atomic<int> streams_{0};
};

}  // namespace korvan::virtual_lcd
