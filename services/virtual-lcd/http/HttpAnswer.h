#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvan::virtual_lcd {

// One answer of the server. Every answer ends its connection, but for a
// stream's, whose body is the events that follow.
struct HttpAnswer {
  int status = 200;
  std::string type;  // Content-Type
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
  bool stream = false;
};

// A plain-text answer with `reason` as its body.
HttpAnswer Refusal(int status, std::string_view reason);

// The answer as sent: status line, headers and, unless a stream's or the
// answer to a HEAD request (`withBody` false), the body.
std::string AnswerBytes(const HttpAnswer& answer, bool withBody = true);

}  // namespace korvan::virtual_lcd
