#include "services/virtual-lcd/PanelRoutes.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <utility>

#include "services/virtual-lcd/FrameJson.h"
#include "services/virtual-lcd/FramePng.h"
#include "services/virtual-lcd/PanelPage.h"
#include "services/virtual-lcd/WholeNumber.h"

namespace korvan::virtual_lcd {
namespace {

std::string_view StatusText(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 405:
      return "Method Not Allowed";
    case 413:
      return "Content Too Large";
    case 415:
      return "Unsupported Media Type";
    case 431:
      return "Request Header Fields Too Large";
    case 501:
      return "Not Implemented";
    case 503:
      return "Service Unavailable";
    case 505:
      return "HTTP Version Not Supported";
    default:
      return "Error";
  }
}

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

PanelAnswer Button(const HttpRequest& request, FrameBoard& board) {
  if (!IsJson(request)) return Refusal(415, "send {\"mask\":N} as application/json");
  const auto mask = ButtonMask(request.body);
  if (!mask) return Refusal(400, "mask must be 0 to 15");
  board.SetPanelButtons(*mask);
  return {200, "application/json", "{\"mask\":" + std::to_string(*mask) + "}", {}};
}

// The latest frame as PNG, ?scale=1 to 8 (1 when not given).
PanelAnswer FramePngAnswer(const HttpRequest& request, const FrameBoard& board) {
  const auto asked = request.QueryValue("scale");
  const auto scale = asked ? ParseWholeNumber(*asked) : std::optional<std::int64_t>(1);
  if (!scale || *scale < 1 || *scale > kMaxPngScale) return Refusal(400, "scale must be 1 to 8");
  std::string png = FramePng(board.Latest().pixels.data(), static_cast<int>(*scale));
  if (png.empty()) return Refusal(503, "the frame could not be encoded");
  return {200, "image/png", std::move(png), {{"Cache-Control", "no-store"}}};
}

bool Served(std::string_view path) {
  for (const std::string_view served : {"/", "/frame", "/events", "/button"})
    if (path == served) return true;
  return path == "/frame.png" && PngAvailable();  // the Windows build has no PNG
}

PanelAnswer Dispatch(const HttpRequest& request, FrameBoard& board, bool streamFree) {
  const bool get = request.method == "GET";
  if (request.path == "/" && get) return {200, "text/html; charset=utf-8", kPanelPage, {}};
  if (request.path == "/frame" && get) {
    return {
        200, "application/json", FrameJson(board.Latest(), true), {{"Cache-Control", "no-store"}}};
  }
  if (request.path == "/events" && get) {
    if (!streamFree) {
      PanelAnswer busy = Refusal(503, "too many live views; poll /frame");
      busy.headers.emplace_back("Retry-After", "5");
      return busy;
    }
    return {200, "text/event-stream", {}, {{"Cache-Control", "no-store"}}, true};
  }
  if (request.path == "/button" && request.method == "POST") return Button(request, board);
  if (!Served(request.path)) return Refusal(404, "not found");
  if (request.path == "/frame.png" && get) return FramePngAnswer(request, board);
  PanelAnswer wrong = Refusal(405, "method not allowed");
  wrong.headers.emplace_back("Allow", request.path == "/button" ? "POST" : "GET");
  return wrong;
}

}  // namespace

PanelAnswer Refusal(int status, std::string_view reason) {
  return {status, "text/plain; charset=utf-8", std::string(reason) + "\n", {}};
}

PanelAnswer Route(const HttpRequest& request, const PanelAccess& access, FrameBoard& board,
                  bool streamFree) {
  const PanelAccess::Verdict verdict = access.Check(request);
  if (verdict.status != 0) return Refusal(verdict.status, verdict.reason);
  PanelAnswer answer = Dispatch(request, board, streamFree);
  if (!verdict.setCookie.empty()) answer.headers.emplace_back("Set-Cookie", verdict.setCookie);
  return answer;
}

std::string AnswerBytes(const PanelAnswer& answer) {
  std::string bytes = "HTTP/1.1 " + std::to_string(answer.status) + " ";
  bytes += StatusText(answer.status);
  bytes += "\r\nContent-Type: " + answer.type + "\r\n";
  for (const auto& [name, value] : answer.headers) bytes += name + ": " + value + "\r\n";
  if (!answer.stream) bytes += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
  // Never inside another site's frame, where a page could steer clicks.
  bytes += "X-Frame-Options: DENY\r\nX-Content-Type-Options: nosniff\r\nConnection: close\r\n\r\n";
  return bytes + answer.body;
}

std::string FrameEvent(const FrameSnapshot& snapshot, bool changed) {
  return "data: " + FrameJson(snapshot, changed) + "\n\n";
}

}  // namespace korvan::virtual_lcd
