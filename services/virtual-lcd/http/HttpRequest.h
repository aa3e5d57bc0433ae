#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvan::virtual_lcd {

// How much of a request the panel reads before refusing it: the page's own
// requests are a few hundred bytes, so these leave room for any browser
// while no client can make the panel hold much memory for it.
struct HttpLimits {
  std::size_t maxHead = 8192;  // request line and headers, with their line ends
  std::size_t maxHeaders = 64;
  std::size_t maxBody = 1024;
};

struct HttpRequest {
  std::string method;
  std::string path;                                          // the target before '?'
  std::string query;                                         // after '?', undecoded
  std::vector<std::pair<std::string, std::string>> headers;  // names lowercased
  std::string body;

  // The first header of that (lowercase) name.
  std::optional<std::string_view> Header(std::string_view name) const;
  // The value of `name=value` in the query, undecoded.
  std::optional<std::string_view> QueryValue(std::string_view name) const;
};

struct HttpParse {
  enum class State { kIncomplete, kComplete, kRefused };
  State state = State::kIncomplete;
  HttpRequest request;       // when complete
  std::size_t consumed = 0;  // when complete: the bytes of this request
  int status = 0;            // when refused: 400, 413, 431, 501 or 505
  std::string_view reason;   // when refused: one line for the client
};

// Reads one HTTP/1.x request from the start of `input`, the bytes received
// so far. Incomplete until the head and the body (Content-Length) are all
// there; refused as soon as the bytes cannot become a request within
// `limits`. Lines may end in CRLF or a bare LF.
HttpParse ParseHttpRequest(std::string_view input, const HttpLimits& limits);

// The value of `name` in a list of name=value pairs split at `separator`
// (a query's '&', a Cookie header's ';'), spaces before a name skipped;
// undecoded. The first pair of that name counts.
std::optional<std::string_view> ListValue(std::string_view list, char separator,
                                          std::string_view name);

// ASCII case-insensitive equality, as header names and hosts compare.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace korvan::virtual_lcd
