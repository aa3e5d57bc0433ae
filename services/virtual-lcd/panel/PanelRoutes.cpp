#include "services/virtual-lcd/panel/PanelRoutes.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <utility>

#include "services/virtual-lcd/WholeNumber.h"
#include "services/virtual-lcd/frames/FrameJson.h"
#include "services/virtual-lcd/frames/FramePng.h"
#include "services/virtual-lcd/panel/PanelPage.h"

namespace korvan::virtual_lcd {
namespace {

void SkipSpace(std::string_view& text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
}

bool Take(std::string_view& text, std::string_view expected) {
  SkipSpace(text);
  if (!text.starts_with(expected)) return false;
  text.remove_prefix(expected.size());
  return true;
}

// {"mask":N} with any JSON white space; N a whole number 0 to 15.
std::optional<unsigned> ButtonMask(std::string_view body) {
  unsigned mask = 0;
  if (!Take(body, "{") || !Take(body, "\"mask\"") || !Take(body, ":")) return std::nullopt;
  SkipSpace(body);
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), mask);
  if (error != std::errc() || end == body.data() || mask > 15) return std::nullopt;
  body.remove_prefix(static_cast<std::size_t>(end - body.data()));
  if (!Take(body, "}")) return std::nullopt;
  SkipSpace(body);
  return body.empty() ? std::optional(mask) : std::nullopt;
}

bool IsJson(const HttpRequest& request) {
  std::string_view type = request.Header("content-type").value_or("");
  type = type.substr(0, type.find(';'));
  while (!type.empty() && type.back() == ' ') type.remove_suffix(1);
  return EqualsIgnoringCase(type, "application/json");
}

HttpAnswer Button(const HttpRequest& request, FrameBoard& board) {
  if (!IsJson(request)) return Refusal(415, "send {\"mask\":N} as application/json");
  const auto mask = ButtonMask(request.body);
  if (!mask) return Refusal(400, "mask must be 0 to 15");
  board.SetPanelButtons(*mask);
  return {200, "application/json", "{\"mask\":" + std::to_string(*mask) + "}", {}};
}

// The latest frame as PNG, ?scale=1 to 8 (1 when not given).
HttpAnswer FramePngAnswer(const HttpRequest& request, const FrameBoard& board) {
  const auto asked = request.QueryValue("scale");
  const auto scale = asked ? ParseWholeNumber(*asked) : std::optional<std::int64_t>(1);
  if (!scale || *scale < 1 || *scale > kMaxPngScale) return Refusal(400, "scale must be 1 to 8");
  std::string png = FramePng(board.Latest().pixels.data(), static_cast<int>(*scale));
  if (png.empty()) return Refusal(503, "the frame could not be encoded");
  return {200, "image/png", std::move(png), {{"Cache-Control", "no-store"}}};
}

bool Served(std::string_view path) {
  for (const std::string_view served : {"/frame", "/events", "/button"})
    if (path == served) return true;
  if (FindPanelFile(path)) return true;
  return path == "/frame.png";
}

HttpAnswer Dispatch(const HttpRequest& request, FrameBoard& board, bool streamFree) {
  const bool get = request.method == "GET";
  if (const auto file = FindPanelFile(request.path); file && get)
    return {200, std::string(file->type), std::string(file->bytes), {}};
  if (request.path == "/frame" && get) {
    return {
        200, "application/json", FrameJson(board.Latest(), true), {{"Cache-Control", "no-store"}}};
  }
  if (request.path == "/events" && get) {
    if (!streamFree) {
      HttpAnswer busy = Refusal(503, "too many live views; poll /frame");
      busy.headers.emplace_back("Retry-After", "5");
      return busy;
    }
    return {200, "text/event-stream", {}, {{"Cache-Control", "no-store"}}, true};
  }
  if (request.path == "/button" && request.method == "POST") return Button(request, board);
  if (!Served(request.path)) return Refusal(404, "not found");
  if (request.path == "/frame.png" && get) return FramePngAnswer(request, board);
  HttpAnswer wrong = Refusal(405, "method not allowed");
  wrong.headers.emplace_back("Allow", request.path == "/button" ? "POST" : "GET, HEAD");
  return wrong;
}

}  // namespace

HttpAnswer Route(const HttpRequest& request, const PanelAccess& access, FrameBoard& board,
                 bool streamFree) {
  const PanelAccess::Verdict verdict = access.Check(request);
  if (verdict.status != 0) return Refusal(verdict.status, verdict.reason);
  HttpAnswer answer = Dispatch(request, board, streamFree);
  if (!verdict.setCookie.empty()) answer.headers.emplace_back("Set-Cookie", verdict.setCookie);
  return answer;
}

std::string FrameEvent(const FrameSnapshot& snapshot, bool changed) {
  return "data: " + FrameJson(snapshot, changed) + "\n\n";
}

}  // namespace korvan::virtual_lcd
