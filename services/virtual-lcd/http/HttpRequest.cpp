#include "services/virtual-lcd/http/HttpRequest.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "services/virtual-lcd/WholeNumber.h"

namespace korvan::virtual_lcd {
namespace {

using State = HttpParse::State;

HttpParse Refuse(int status, std::string_view reason) {
  HttpParse parse;
  parse.state = State::kRefused;
  parse.status = status;
  parse.reason = reason;
  return parse;
}

// RFC 9110 token characters: method and header names.
bool IsToken(std::string_view text) {
  static constexpr std::string_view kMarks = "!#$%&'*+-.^_`|~";
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || kMarks.find(c) != std::string_view::npos;
  });
}

// Visible ASCII and obs-text; no controls, so nothing can smuggle a line end.
bool IsFieldText(std::string_view text, bool allowSpace) {
  return std::all_of(text.begin(), text.end(), [allowSpace](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 ? byte != 0x7F : allowSpace && (c == ' ' || c == '\t');
  });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// "METHOD /target HTTP/1.x"; the status to refuse it with, or 0.
int ReadRequestLine(std::string_view line, HttpRequest& request) {
  const auto first = line.find(' ');
  const auto second = line.find(' ', first == std::string_view::npos ? first : first + 1);
  if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos)
    return 400;
  const std::string_view method = line.substr(0, first);
  const std::string_view target = line.substr(first + 1, second - first - 1);
  const std::string_view version = line.substr(second + 1);
  if (!IsToken(method) || target.empty() || target.front() != '/' || !IsFieldText(target, false))
    return 400;
  if (version != "HTTP/1.1" && version != "HTTP/1.0")
    return version.starts_with("HTTP/") ? 505 : 400;
  request.method = std::string(method);
  const auto question = target.find('?');
  request.path = std::string(target.substr(0, question));
  if (question != std::string_view::npos) request.query = std::string(target.substr(question + 1));
  return 0;
}

// The body's length from the headers, or the refusal.
std::optional<HttpParse> BodyLength(const HttpRequest& request, const HttpLimits& limits,
                                    std::size_t& length) {
  length = 0;
  if (request.Header("transfer-encoding")) return Refuse(501, "chunked bodies are not taken");
  std::optional<std::string_view> seen;
  for (const auto& [name, value] : request.headers) {
    if (name != "content-length") continue;
    if (seen && *seen != value) return Refuse(400, "conflicting Content-Length");
    seen = value;
  }
  if (!seen) return std::nullopt;
  const auto number = ParseWholeNumber(*seen);
  if (!number || *number < 0 || seen->front() == '-' || seen->front() == '+')
    return Refuse(400, "bad Content-Length");
  if (static_cast<std::uint64_t>(*number) > limits.maxBody) return Refuse(413, "body too large");
  length = static_cast<std::size_t>(*number);
  return std::nullopt;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::string_view> HttpRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (key == name) return std::string_view(value);
  }
  return std::nullopt;
}

std::optional<std::string_view> HttpRequest::QueryValue(std::string_view name) const {
  return ListValue(query, '&', name);
}

std::optional<std::string_view> ListValue(std::string_view list, char separator,
                                          std::string_view name) {
  while (!list.empty()) {
    const auto end = list.find(separator);
    std::string_view pair = list.substr(0, end);
    while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
    if (pair.size() > name.size() && pair.starts_with(name) && pair[name.size()] == '=')
      return pair.substr(name.size() + 1);
    list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
  }
  return std::nullopt;
}

HttpParse ParseHttpRequest(std::string_view input, const HttpLimits& limits) {
  HttpParse parse;
  HttpRequest& request = parse.request;
  std::size_t at = 0;
  for (bool first = true;; first = false) {
    const auto end = input.find('\n', at);
    if (end == std::string_view::npos || end >= limits.maxHead) {
      if (input.size() >= limits.maxHead) return Refuse(431, "request head too large");
      return parse;  // the head goes on
    }
    std::string_view line = input.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (first) {
      if (const int status = ReadRequestLine(line, request))
        return Refuse(status, "bad request line");
      continue;
    }
    if (line.empty()) break;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || !IsToken(line.substr(0, colon)))
      return Refuse(400, "bad header line");
    const std::string_view value = Trim(line.substr(colon + 1));
    if (!IsFieldText(value, true)) return Refuse(400, "bad header value");
    if (request.headers.size() >= limits.maxHeaders) return Refuse(431, "too many headers");
    request.headers.emplace_back(Lower(line.substr(0, colon)), value);
  }
  std::size_t length = 0;
  if (auto refusal = BodyLength(request, limits, length)) return std::move(*refusal);
  if (input.size() - at < length) return HttpParse{};  // the body goes on
  request.body = std::string(input.substr(at, length));
  parse.consumed = at + length;
  parse.state = State::kComplete;
  return parse;
}

}  // namespace korvan::virtual_lcd
