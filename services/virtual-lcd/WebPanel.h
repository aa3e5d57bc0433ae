#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "services/virtual-lcd/FrameBoard.h"
#include "services/virtual-lcd/HttpRequest.h"
#include "services/virtual-lcd/PanelAccess.h"
#include "services/virtual-lcd/PanelConnection.h"
#include "services/virtual-lcd/Settings.h"

namespace korvan::virtual_lcd {

// The web panel (routes in PanelRoutes.h, who may use it in PanelAccess.h),
// served by one thread that polls every connection without blocking, so a
// client that sends slowly or not at all holds no thread. Connections are
// capped in all and per client address; when one more comes, the oldest of
// those still waiting on their client makes room, so idle connections never
// keep a fresh client out. A new frame wakes the loop; event streams get it
// then, or a heartbeat after half a second.
class WebPanel {
 public:
  static constexpr int kMaxStreams = 4;
  static constexpr std::size_t kMaxConnections = 64;
  static constexpr std::size_t kMaxPerClient = 16;

  explicit WebPanel(FrameBoard& board);
  ~WebPanel();
  WebPanel(const WebPanel&) = delete;
  WebPanel& operator=(const WebPanel&) = delete;

  // Binds on the caller's thread, so a taken port is known at once; then
  // serves on its own. False (and one line on standard error) if it cannot.
  bool Start(const PanelAddress& address);
  void Stop();

 private:
  void Serve();
  void AcceptAll(PanelClock::time_point now);
  bool MakeRoom(const std::string& peer, PanelClock::time_point now);
  void Take(PanelConnection& connection, PanelClock::time_point now);
  void SendEvents(PanelClock::time_point now, bool newFrame);
  int PollTimeout(PanelClock::time_point now) const;
  int Streams() const;

  FrameBoard& board_;
  HttpLimits limits_;
  std::unique_ptr<PanelAccess> access_;
  SocketHandle listener_ = kNoSocket;
  PanelWake wake_;  // a new frame, or the stop
  PanelClock::time_point acceptPause_{};
  std::atomic<bool> stopping_{false};
  std::vector<std::unique_ptr<PanelConnection>> connections_;
  std::thread thread_;
};

}  // namespace korvan::virtual_lcd
