#pragma once

#include <memory>
#include <string>

#include "platform/system/SocketLibrary.h"
#include "platform/system/StreamSocket.h"
#include "services/virtual-lcd/Settings.h"
#include "services/virtual-lcd/frames/FrameBoard.h"
#include "services/virtual-lcd/http/HttpServer.h"
#include "services/virtual-lcd/panel/PanelAccess.h"

namespace korvan::virtual_lcd {

// The web panel: the LCD's latest frame and its soft buttons over HTTP
// (routes in PanelRoutes.h, who may use it in PanelAccess.h), served by an
// HttpServer. A new frame wakes the server, so live pages get it at once.
class WebPanel final : private HttpService {
 public:
  explicit WebPanel(FrameBoard& board) : board_(board) {}
  ~WebPanel() override;
  WebPanel(const WebPanel&) = delete;
  WebPanel& operator=(const WebPanel&) = delete;

  // Binds on the caller's thread, so a taken port is known at once; then
  // serves on its own, and says on standard error where it can be opened.
  // False (and one line on standard error) if it cannot.
  bool Start(const PanelAddress& address);
  void Stop();
  const HttpServer& server() const { return server_; }

 private:
  HttpAnswer Answer(const HttpRequest& request, bool streamFree) override;
  std::string Event(std::uint64_t& mark) override;
  void SayWhere(const PanelAddress& address, const StreamListener& listener,
                const std::string& token) const;

  FrameBoard& board_;
  SocketLibrary sockets_;
  std::unique_ptr<PanelAccess> access_;
  HttpServer server_{*this};
};

}  // namespace korvan::virtual_lcd
