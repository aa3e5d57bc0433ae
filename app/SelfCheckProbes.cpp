#include "app/SelfCheckProbes.h"

#include <array>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
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

// A datagram's start, printable, for saying what came instead of an answer.
std::string Excerpt(std::string_view text) {
  std::string shown;
  for (const char c : text.substr(0, 40)) {
    shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
  }
  return "\"" + shown + (text.size() > 40 ? "...\"" : "\"");
}

// What came within the wait: the fast answer, else the last other datagram
// from the simulator's address, the last address that answered in its
// place and the last that sent anything else.
struct Heard {
  std::optional<std::string> answer;
  std::optional<std::string> other;
  std::optional<std::uint32_t> answeredFrom;
  std::optional<std::uint32_t> stranger;
  std::uint32_t waitedMs = 0;
};

Heard Listen(CheckedMachine& machine, const Ipv4Endpoint& simulator) {
  Heard heard;
  std::array<char, 1024> buffer{};
  const std::uint32_t start = machine.clock.TickCount();
  while (true) {
    // Bounded even when something floods the port.
    for (int i = 0; i < SimLink::kMaxDatagramsPerExchange; ++i) {
      const ReceiveResult got = machine.socket.Receive(buffer);
      if (got.status == ReceiveStatus::kNothing) break;
      const std::string_view text(buffer.data(),
                                  got.status == ReceiveStatus::kReceived ? got.size : 0);
      if (got.sender.address != simulator.address) {
        (AnsweredExchange(text) ? heard.answeredFrom : heard.stranger) = got.sender.address;
      } else if (text.starts_with(kFastExchange.answerPrefix)) {
        heard.answer = std::string(text);
        heard.waitedMs = machine.clock.TickCount() - start;
        return heard;
      } else {
        heard.other = got.status == ReceiveStatus::kOversized ? "a datagram too large to read"
                                                              : Excerpt(text);
      }
    }
    heard.waitedMs = machine.clock.TickCount() - start;
    if (heard.waitedMs >= kSimulatorWaitMs) return heard;
    machine.clock.Sleep(kPollMs);
  }
}

bool SayAnswer(CheckedMachine& machine, const std::string& answer, std::uint32_t waitedMs) {
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
    machine.report(std::string("OK   ") + line);
    return true;
  }
  machine.report("FAIL " + std::to_string(stored) + " of its 5 values could be read from " +
                 Excerpt(answer) + "; the simulator's export may not be the one Korvan reads");
  return false;
}

void SaySilence(CheckedMachine& machine, const Ipv4Endpoint& simulator, const Heard& heard) {
  machine.report("FAIL no answer from the simulator at " + FormatIpv4Endpoint(simulator) +
                 " within 1 s. Likely causes, most likely first:");
  int cause = 0;
  const auto sayCause = [&](const std::string& text) {
    machine.report("       " + std::to_string(++cause) + ". " + text);
  };
  if (heard.answeredFrom) {
    const std::string from = FormatIpv4Address(*heard.answeredFrom);
    sayCause("the simulator answered from " + from +
             " instead (a second network adapter or a VPN on its machine): write IP=" + from +
             " in LCD_Korvan.ini");
  }
  sayCause("the simulator is not running, or its network export is not enabled");
  sayCause("IP= in LCD_Korvan.ini is not the simulator machine's address");
  sayCause("a firewall on either machine blocks UDP port 6060");
  if (heard.other) machine.report("     it sent something else: " + *heard.other);
  if (heard.stranger) {
    machine.report("     a datagram came from " + FormatIpv4Address(*heard.stranger) +
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

// What the LCD service answered, filled on the thread that asks it.
struct ServiceAnswers {
  std::int32_t startup = kLcdServiceNotActive;
  std::int32_t connect = kLcdServiceNotActive;
  std::int32_t query = kLcdServiceNotActive;
  std::atomic<bool> done{false};
};

// Starts, connects and asks for the first device, without drawing; then
// disconnects and cleans up.
void AskService(LcdManagerService& service, ServiceAnswers& answers) {
  answers.startup = service.Startup();
  if (answers.startup == kLcdOk) {
    LcdConnectContext context{};
    context.appName = reinterpret_cast<const std::uint16_t*>(kApplicationName);
    context.connection = -1;
    answers.connect = service.Connect(&context);
    if (answers.connect == kLcdOk) {
      LcdDeviceDescription description{};
      answers.query = service.QueryDevice(context.connection, 0, &description);
      service.Disconnect(context.connection);
    }
  }
  service.Cleanup();
  answers.done = true;
}

}  // namespace

bool ProbeSimulator(CheckedMachine& machine, const Ipv4Endpoint& simulator) {
  if (!machine.socket.SendTo(simulator, kFastExchange.request)) {
    machine.report("FAIL the request to " + FormatIpv4Endpoint(simulator) +
                   " could not be sent: check this machine's network connection");
    return false;
  }
  const Heard heard = Listen(machine, simulator);
  if (heard.answer) return SayAnswer(machine, *heard.answer, heard.waitedMs);
  SaySilence(machine, simulator, heard);
  return false;
}

bool ProbeLcdService(CheckedMachine& machine) {
  if (!machine.serviceOtherWidth.empty()) {
    machine.report("FAIL " + machine.serviceOtherWidth);
    return false;
  }
  if (machine.serviceLibrary.empty()) {
    machine.report("FAIL no LCD service library: " + machine.serviceRefusal +
                   "; install the keyboard's software, or set KORVAN_LCD_SERVICE to a library");
    return false;
  }
  const std::string library = machine.serviceLibrary.Text();
  // On a thread of its own, so that a service that hangs cannot hang the
  // check; the answers are shared, as the thread may outlive this call.
  const auto answers = std::make_shared<ServiceAnswers>();
  std::thread calls([&service = machine.service, answers] { AskService(service, *answers); });
  const std::uint32_t start = machine.serviceClock.TickCount();
  while (!answers->done && machine.serviceClock.TickCount() - start < kLcdServiceWaitMs) {
    machine.serviceClock.Sleep(kPollMs);
  }
  if (!answers->done) {
    machine.serviceCallsLeftRunning = std::move(calls);
    machine.report("FAIL the LCD service did not answer within " +
                   std::to_string(kLcdServiceWaitMs / 1000) + " s (" + library +
                   "): restart the keyboard's software");
    return false;
  }
  calls.join();
  const char* failure = LcdFailure(answers->startup, answers->connect, answers->query);
  machine.report(failure ? "FAIL the LCD service " + library + " " + failure
                         : "OK   the LCD service " + library +
                               " loads, starts, connects and finds the LCD");
  // On Windows: the virtual LCD, as no keyboard service is registered.
  if (!machine.serviceNote.empty()) machine.report("     " + machine.serviceNote);
  return failure == nullptr;
}

bool ProbeIcons(CheckedMachine& machine, const std::filesystem::path& iconFolder) {
  std::vector<std::string> missing;
  int total = 0;
  for (const IconSetLayout& set : kIconSetLayouts) {
    for (std::size_t indicator = 0; indicator < kIndicatorCount; ++indicator) {
      for (int state = 0; state < kIndicatorStates[indicator]; ++state, ++total) {
        const std::filesystem::path path = IconFilePath(set, indicator, state, iconFolder);
        if (!LoadIconFile(path, set.indicators[indicator].width, kIconHeight)) {
          missing.push_back(NativePath(path).Text());
        }
      }
    }
  }
  const std::string counted = std::to_string(total - static_cast<int>(missing.size())) + " of " +
                              std::to_string(total) + " icon files load";
  if (missing.empty()) {
    machine.report("OK   " + counted);
    return true;
  }
  std::string names;
  for (std::size_t i = 0; i < missing.size() && i < kNamedIconsAtMost; ++i) {
    names += (i == 0 ? "" : ", ") + missing[i];
  }
  if (missing.size() > kNamedIconsAtMost) {
    names += " and " + std::to_string(missing.size() - kNamedIconsAtMost) + " more";
  }
  machine.report("FAIL " + counted + "; missing or unreadable: " + names);
  machine.report("     copy the images folder of the release beside LCD_Korvan.ini");
  return false;
}

}  // namespace korvan
