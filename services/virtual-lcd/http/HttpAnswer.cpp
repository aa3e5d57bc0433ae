#include "services/virtual-lcd/http/HttpAnswer.h"

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

}  // namespace

HttpAnswer Refusal(int status, std::string_view reason) {
  return {status, "text/plain; charset=utf-8", std::string(reason) + "\n", {}};
}

std::string AnswerBytes(const HttpAnswer& answer, bool withBody) {
  std::string bytes = "HTTP/1.1 " + std::to_string(answer.status) + " ";
  bytes += StatusText(answer.status);
  bytes += "\r\nContent-Type: " + answer.type + "\r\n";
  for (const auto& [name, value] : answer.headers) bytes += name + ": " + value + "\r\n";
  if (!answer.stream) bytes += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
  // Never inside another site's frame, where a page could steer clicks.
  bytes += "X-Frame-Options: DENY\r\nX-Content-Type-Options: nosniff\r\nConnection: close\r\n\r\n";
  return withBody ? bytes + answer.body : bytes;
}

}  // namespace korvan::virtual_lcd
