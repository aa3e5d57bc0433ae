#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "services/virtual-lcd/FrameBoard.h"
#include "services/virtual-lcd/HttpRequest.h"
#include "services/virtual-lcd/PanelAccess.h"

namespace korvan::virtual_lcd {

// One answer of the panel. Every answer ends its connection, but for a
// stream's, whose body is the events that follow.
struct PanelAnswer {
  int status = 200;
  std::string type;  // Content-Type
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
  bool stream = false;
};

// The panel's routes, after the access check:
//   GET /        the page
//   GET /events  server-sent events (stream: true); 503 when no stream is free
//   GET /frame   the latest frame as JSON
//   GET /frame.png?scale=N  the latest frame's grey bytes as PNG, N 1 to 8
//                (default 1, else 400); not in the Windows build (404)
//   POST /button {"mask":N} as application/json: the soft buttons now held.
//                A form of another site cannot send that type without the
//                browser asking first, which the panel never agrees to.
PanelAnswer Route(const HttpRequest& request, const PanelAccess& access, FrameBoard& board,
                  bool streamFree);

PanelAnswer Refusal(int status, std::string_view reason);

// The answer as sent: status line, headers and, unless a stream's, the body.
std::string AnswerBytes(const PanelAnswer& answer);

// One server-sent event with the snapshot, its pixels when they changed.
std::string FrameEvent(const FrameSnapshot& snapshot, bool changed);

}  // namespace korvan::virtual_lcd
