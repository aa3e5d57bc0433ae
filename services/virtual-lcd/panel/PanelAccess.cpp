#include "services/virtual-lcd/panel/PanelAccess.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "platform/system/NetworkAddresses.h"
#include "platform/system/RandomBytes.h"

namespace korvan::virtual_lcd {
namespace {

PanelAccess::Verdict Refuse(int status, std::string_view reason) {
  return {status, reason, {}};
}

bool IsPort(std::string_view text) {
  return !text.empty() && text.size() <= 5 && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c));
  });
}

}  // namespace

bool IsPanelHost(std::string_view host) {
  std::string_view name = host;
  std::string_view port;
  if (host.starts_with('[')) {
    const auto close = host.find(']');
    if (close == std::string_view::npos) return false;
    name = host.substr(1, close - 1);
    port = host.substr(close + 1);
    if (!port.empty() && (port.front() != ':' || !IsPort(port.substr(1)))) return false;
    return ParseIpLiteral(name, IpFamily::kV6).has_value();
  }
  if (const auto colon = host.rfind(':'); colon != std::string_view::npos) {
    name = host.substr(0, colon);
    if (!IsPort(host.substr(colon + 1))) return false;
  }
  return EqualsIgnoringCase(name, "localhost") || ParseIpLiteral(name, IpFamily::kV4).has_value();
}

PanelAccess::PanelAccess(std::string token, int port)
    : token_(std::move(token)), cookieName_("korvan_panel_" + std::to_string(port)) {}

std::string PanelAccess::NewToken() {
  std::array<unsigned char, 16> bits{};
  if (!FillRandom(bits.data(), bits.size())) return {};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  for (const unsigned char byte : bits) {
    token += kHex[byte >> 4];
    token += kHex[byte & 0xFu];
  }
  return token;
}

// Takes as long for every offered token of the right length, so the time
// of a refusal tells nothing about how much of a guess was right.
bool PanelAccess::TokenMatches(std::string_view offered) const {
  if (offered.size() != token_.size()) return false;
  volatile unsigned char difference = 0;
  for (std::size_t i = 0; i < offered.size(); ++i) {
    difference = difference | static_cast<unsigned char>(offered[i] ^ token_[i]);
  }
  return difference == 0;
}

PanelAccess::Verdict PanelAccess::Check(const HttpRequest& request) const {
  const auto host = request.Header("host");
  if (!host) return Refuse(400, "Host header missing");
  if (!IsPanelHost(*host)) return Refuse(403, "open the panel by localhost or an IP address");
  const auto origin = request.Header("origin");
  if (origin && !EqualsIgnoringCase(*origin, "http://" + std::string(*host)))
    return Refuse(403, "requests from other sites are refused");
  if (token_.empty()) return {};
  if (const auto offered = request.QueryValue("token"); offered && TokenMatches(*offered))
    return {0, {}, cookieName_ + "=" + token_ + "; Path=/; HttpOnly; SameSite=Strict"};
  const auto cookies = request.Header("cookie");
  const auto cookie = cookies ? ListValue(*cookies, ';', cookieName_) : std::nullopt;
  if (cookie && TokenMatches(*cookie)) return {};
  return Refuse(403, "open the panel by the address with the token printed at its start");
}

}  // namespace korvan::virtual_lcd
