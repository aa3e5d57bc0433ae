#pragma once

#include <string>
#include <string_view>

#include "services/virtual-lcd/http/HttpRequest.h"

namespace korvan::virtual_lcd {

// Who may use the panel. A request must name the panel in Host by
// `localhost` or an IP literal: a page that rebinds a host name of its own
// to this machine cannot. It must not come from another page's origin. And
// when the panel listens beyond loopback, it must carry the token printed
// at start, in the query (which earns a cookie) or in that cookie.
class PanelAccess {
 public:
  // An empty token: the panel is on loopback and asks for none.
  PanelAccess(std::string token, int port);

  struct Verdict {
    int status = 0;  // 0: let in; else 400 or 403 with `reason`
    std::string_view reason;
    std::string setCookie;  // let in by the query's token: the cookie to hand out
  };
  Verdict Check(const HttpRequest& request) const;

  // 128 bits from the kernel's random source, as hex; empty if it fails.
  static std::string NewToken();

 private:
  bool TokenMatches(std::string_view offered) const;

  std::string token_;
  std::string cookieName_;  // per port: cookies do not tell ports apart
};

// `localhost` or an IPv4 or bracketed IPv6 literal, with an optional port.
bool IsPanelHost(std::string_view host);

}  // namespace korvan::virtual_lcd
