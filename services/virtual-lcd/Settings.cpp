#include "services/virtual-lcd/Settings.h"

#include <cstdlib>
#include <string_view>

#include "services/virtual-lcd/WholeNumber.h"

namespace korvan::virtual_lcd {
namespace {

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// "host:port", "[v6-host]:port" or a bare port on loopback.
std::optional<PanelAddress> ParseAddress(std::string_view text) {
  PanelAddress address{"127.0.0.1", 0};
  std::string_view port = text;
  const auto colon = text.rfind(':');
  if (colon != std::string_view::npos) {
    std::string_view host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
      host = host.substr(1, host.size() - 2);
    }
    if (host.empty()) return std::nullopt;
    address.host = std::string(host);
    port = text.substr(colon + 1);
  }
  const auto number = ParseWholeNumber(port);
  if (!number || *number < 0 || *number > 65535) return std::nullopt;
  address.port = static_cast<int>(*number);
  return address;
}

void Complain(std::string* problems, const std::string& line) {
  if (problems != nullptr) *problems += line + "\n";
}

// pgm or png; anything else keeps pgm.
RecordFormat ParseRecordFormat(std::string_view text, std::string* problems) {
  if (text == "png") return RecordFormat::kPng;
  if (text != "pgm") {
    Complain(problems, "LCD_VIRTUAL_RECORD_FORMAT=" + std::string(text) +
                           " is not pgm or png; recording PGM");
  }
  return RecordFormat::kPgm;
}

}  // namespace

Settings Settings::FromEnvironment(std::string* problems) {
  Settings settings;
  if (const char* http = Variable("LCD_VIRTUAL_HTTP")) {
    if (std::string_view(http) == "off") {
      settings.panel.reset();
    } else {
      settings.panel = ParseAddress(http);
      if (!settings.panel) {
        Complain(problems, std::string("LCD_VIRTUAL_HTTP=") + http +
                               " is not host:port or off; the web panel stays off");
      }
    }
  }
  if (const char* terminal = Variable("LCD_VIRTUAL_TERMINAL")) {
    const std::string_view value(terminal);
    settings.terminal = value == "on" || value == "1" || value == "yes" || value == "true";
  }
  if (const char* folder = Variable("LCD_VIRTUAL_RECORD")) settings.recordFolder = folder;
  if (const char* max = Variable("LCD_VIRTUAL_RECORD_MAX")) {
    const auto number = ParseWholeNumber(max);
    if (number && *number >= 0) {
      settings.recordMax = *number;
    } else {
      Complain(problems, std::string("LCD_VIRTUAL_RECORD_MAX=") + max +
                             " is not a count; recording at most 10000 frames");
    }
  }
  if (const char* format = Variable("LCD_VIRTUAL_RECORD_FORMAT"))
    settings.recordFormat = ParseRecordFormat(format, problems);
  if (const char* buttons = Variable("LCD_VIRTUAL_BUTTONS")) settings.buttonsFile = buttons;
  if (const char* faults = Variable("LCD_VIRTUAL_FAULTS")) settings.faults = faults;
  return settings;
}

}  // namespace korvan::virtual_lcd
