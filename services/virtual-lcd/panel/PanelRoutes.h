#pragma once

#include <string>

#include "services/virtual-lcd/frames/FrameBoard.h"
#include "services/virtual-lcd/http/HttpAnswer.h"
#include "services/virtual-lcd/http/HttpRequest.h"
#include "services/virtual-lcd/panel/PanelAccess.h"

namespace korvan::virtual_lcd {

// The panel's routes, after the access check (HEAD is answered as GET by
// the server, without the body):
//   GET /        the page; GET /panel.css, /panel.js what it loads
//   GET /events  server-sent events (stream: true); 503 when no stream is free
//   GET /frame   the latest frame as JSON
//   GET /frame.png?scale=N  the latest frame's grey bytes as PNG, N 1 to 8
//                (default 1, else 400); where this build has no PNG, 404
//   POST /button {"mask":N} as application/json: the soft buttons now held.
//                A form of another site cannot send that type without the
//                browser asking first, which the panel never agrees to.
HttpAnswer Route(const HttpRequest& request, const PanelAccess& access, FrameBoard& board,
                 bool streamFree);

// One server-sent event with the snapshot, its pixels when they changed.
std::string FrameEvent(const FrameSnapshot& snapshot, bool changed);

}  // namespace korvan::virtual_lcd
