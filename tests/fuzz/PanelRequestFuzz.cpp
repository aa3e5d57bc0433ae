// Any bytes on a panel connection give a request within the limits, a refusal or a bounded wait for
// more, in two pieces as at once; the access check and the routes take whatever request comes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "services/virtual-lcd/http/HttpRequest.h"
#include "services/virtual-lcd/panel/PanelAccess.h"
#include "services/virtual-lcd/panel/PanelRoutes.h"

using korvan::virtual_lcd::HttpParse;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const korvan::virtual_lcd::HttpLimits limits{256, 8, 64};  // small: reached often
  static const korvan::virtual_lcd::PanelAccess access("00112233445566778899aabbccddeeff", 8160);
  static const korvan::virtual_lcd::PanelAccess loopback("", 8160);
  static korvan::virtual_lcd::FrameBoard board;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const HttpParse whole = ParseHttpRequest(input, limits);
  const auto& request = whole.request;
  switch (whole.state) {
    case HttpParse::State::kComplete:
      if (request.headers.size() > limits.maxHeaders || request.body.size() > limits.maxBody)
        __builtin_trap();
      access.Check(request);
      Route(request, loopback, board, true);  // any route, e.g. a PNG at any scale
      break;
    case HttpParse::State::kRefused:
      if (whole.status < 400 || whole.status > 505 || whole.reason.empty()) __builtin_trap();
      break;
    case HttpParse::State::kIncomplete:
      if (size >= limits.maxHead + limits.maxBody) __builtin_trap();  // it would grow without end
      break;
  }
  if (size == 0) return 0;
  const HttpParse first = ParseHttpRequest(input.substr(0, data[0] % size), limits);
  if (first.state == HttpParse::State::kComplete &&
      (whole.state != first.state || whole.request.body != first.request.body))
    __builtin_trap();
  if (first.state == HttpParse::State::kRefused &&
      (whole.state != first.state || whole.status != first.status))
    __builtin_trap();
  return 0;
}
