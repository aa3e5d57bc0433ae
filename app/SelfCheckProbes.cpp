#include "app/SelfCheckProbes.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/FlightSample.h"
#include "app/SimLink.h"
#include "lcd/LcdStatus.h"
#include "platform/images/ImageFile.h"
#include "platform/system/NativePath.h"
#include "screens/IconLayout.h"
#include "screens/IconSets.h"
#include "screens/ScreenBuilder.h"

namespace korvan {
namespace {

constexpr std::uint32_t kPollMs = 10;
constexpr std::size_t kNamedIconsAtMost = 10;

std::string AddressText(std::uint32_t address) {
  const std::string endpoint = FormatIpv4Endpoint({address, 0});
  return endpoint.substr(0, endpoint.rfind(':'));
}

// A datagram's start, printable, for saying what came instead of an answer.
std::string Excerpt(std::string_view text) {
  std::string shown;
  for (const char c : text.substr(0, 40)) {
    shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  }
  return "\"" + shown + (text.size() > 40 ? "...\"" : "\"");
}

// What came within the wait: the fast answer, else the last other datagram
// from the simulator's address and the last sender that was not it.
struct Heard {
  std::optional<std::string> answer;
  std::optional<std::string> other;
  std::optional<std::uint32_t> stranger;
  std::uint32_t waitedMs = 0;
};

Heard Listen(SelfCheckSeams& seams, const Ipv4Endpoint& simulator) {
  Heard heard;
  std::array<char, 1024> buffer{};
  const std::uint32_t start = seams.clock.TickCount();
  while (true) {
    // Bounded even when something floods the port.
    for (int i = 0; i < SimLink::kMaxDatagramsPerExchange; ++i) {
      const ReceiveResult got = seams.socket.Receive(buffer);
      if (got.status == ReceiveStatus::kNothing) break;
      const std::string_view text(buffer.data(),
                                  got.status == ReceiveStatus::kReceived ? got.size : 0);
      if (got.sender.address != simulator.address) {
        heard.stranger = got.sender.address;
      } else if (text.starts_with(kFastExchange.answerPrefix)) {
        heard.answer = std::string(text);
        heard.waitedMs = seams.clock.TickCount() - start;
        return heard;
      } else {
        heard.other = got.status == ReceiveStatus::kOversized ? "a datagram too large to read"
                                                              : Excerpt(text);
      }
    }
    heard.waitedMs = seams.clock.TickCount() - start;
    if (heard.waitedMs >= kSimulatorWaitMs) return heard;
    seams.clock.Sleep(kPollMs);
  }
}

bool SayAnswer(SelfCheckSeams& seams, const std::string& answer, std::uint32_t waitedMs) {
  FlightSample sample;
  const int stored = kFastExchange.parse(answer.c_str(), sample);
  char line[240];
  std::snprintf(line, sizeof line,
                "the simulator answered in %u ms: airspeed %g km/h, climb %g m/s, altitude %g m, "
                "heading %g, fuel %g",
                static_cast<unsigned>(waitedMs), static_cast<double>(sample.airspeedKmh),
                static_cast<double>(sample.climbRateMs), static_cast<double>(sample.altitudeM),
                static_cast<double>(sample.heading), static_cast<double>(sample.fuel));
  if (stored == 5) {
    seams.say(std::string("OK   ") + line);
    return true;
  }
  seams.say("FAIL " + std::to_string(stored) + " of its 5 values could be read from " +
            Excerpt(answer) + "; the simulator's export may not be the one Korvan reads");
  return false;
}

void SaySilence(SelfCheckSeams& seams, const Ipv4Endpoint& simulator, const Heard& heard) {
  seams.say("FAIL no answer from the simulator at " + FormatIpv4Endpoint(simulator) +
            " within 1 s. Likely causes, most likely first:");
  seams.say("       1. the simulator is not running, or its network export is not enabled");
  seams.say("       2. IP= in LCD_Korvan.ini is not the simulator machine's address");
  seams.say("       3. a firewall on either machine blocks UDP port 6060");
  if (heard.other) seams.say("     it sent something else: " + *heard.other);
  if (heard.stranger) {
    seams.say("     a datagram came from " + AddressText(*heard.stranger) +
              " instead: is that the simulator's address?");
  }
}

const char* LcdFailure(std::int32_t startup, std::int32_t connect, std::int32_t query) {
  if (startup == kLcdServerUnavailable) return "does not load (the reason is on standard error)";
  if (startup != kLcdOk) return "loads but does not start: is the keyboard's software running?";
  if (connect != kLcdOk)
    return "starts but refuses the connection: restart the keyboard's software";
  if (query == kLcdNoMoreItems) return "connects but finds no LCD: is the keyboard plugged in?";
  if (query != kLcdOk) return "connects but cannot reach the LCD: replug the keyboard";
  return nullptr;
}

}  // namespace

bool ProbeSimulator(SelfCheckSeams& seams, const Ipv4Endpoint& simulator) {
  if (!seams.socket.SendTo(simulator, kFastExchange.request)) {
    seams.say("FAIL the request to " + FormatIpv4Endpoint(simulator) +
              " could not be sent: check this machine's network connection");
    return false;
  }
  const Heard heard = Listen(seams, simulator);
  if (heard.answer) return SayAnswer(seams, *heard.answer, heard.waitedMs);
  SaySilence(seams, simulator, heard);
  return false;
}

bool ProbeLcdService(SelfCheckSeams& seams) {
  if (!seams.serviceOtherWidth.empty()) {
    seams.say("FAIL " + seams.serviceOtherWidth);
    return false;
  }
  if (seams.serviceLibrary.empty()) {
    seams.say("FAIL no LCD service library: " + seams.serviceRefusal +
              "; install the keyboard's software, or set KORVAN_LCD_SERVICE to a library");
    return false;
  }
  const std::string named = "the LCD service " + seams.serviceLibrary.Text();
  const std::int32_t startup = seams.service.Startup();
  std::int32_t connect = kLcdServiceNotActive;
  std::int32_t query = kLcdServiceNotActive;
  if (startup == kLcdOk) {
    LcdConnectContext context{};
    context.appName = reinterpret_cast<const std::uint16_t*>(kApplicationName);
    context.connection = -1;
    connect = seams.service.Connect(&context);
    if (connect == kLcdOk) {
      LcdDeviceDescription description{};
      query = seams.service.QueryDevice(context.connection, 0, &description);
      seams.service.Disconnect(context.connection);
    }
  }
  seams.service.Cleanup();
  const char* failure = LcdFailure(startup, connect, query);
  seams.say(failure ? "FAIL " + named + " " + failure
                    : "OK   " + named + " loads, starts, connects and finds the LCD");
  // On Windows: the virtual LCD, as no keyboard service is registered.
  if (!seams.serviceNote.empty()) seams.say("     " + seams.serviceNote);
  return failure == nullptr;
}

bool ProbeIcons(SelfCheckSeams& seams) {
  std::vector<std::string> missing;
  int total = 0;
  for (const IconSetLayout& set : kIconSetLayouts) {
    for (std::size_t indicator = 0; indicator < kIndicatorCount; ++indicator) {
      for (int state = 0; state < kIndicatorStates[indicator]; ++state, ++total) {
        const std::filesystem::path path = IconFilePath(set, indicator, state, seams.iconFolder);
        if (!LoadIconFile(path, set.indicators[indicator].width, kIconHeight)) {
          missing.push_back(NativePath(path).Text());
        }
      }
    }
  }
  const std::string counted = std::to_string(total - static_cast<int>(missing.size())) + " of " +
                              std::to_string(total) + " icon files load";
  if (missing.empty()) {
    seams.say("OK   " + counted);
    return true;
  }
  std::string names;
  for (std::size_t i = 0; i < missing.size() && i < kNamedIconsAtMost; ++i) {
    names += (i == 0 ? "" : ", ") + missing[i];
  }
  if (missing.size() > kNamedIconsAtMost) {
    names += " and " + std::to_string(missing.size() - kNamedIconsAtMost) + " more";
  }
  seams.say("FAIL " + counted + "; missing or unreadable: " + names);
  seams.say("     copy the images folder of the release beside LCD_Korvan.ini");
  return false;
}

}  // namespace korvan
