#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lcd/LcdStatus.h"
#include "lcdlink/LcdFacade.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/FakeClock.h"
#include "tests/support/Stderr.h"

namespace korvan {
namespace {

using testing::ScriptedService;

// Each refusal answers 1722, leaves the service stopped, says why in one line; a retry fails alike.
void ExpectRefused(LcdManagerService& service, const std::string& from, const char* because) {
  const std::string message =
      testing::StderrOf([&] { EXPECT_EQ(service.Startup(), kLcdServerUnavailable); });
  EXPECT_NE(message.find("from " + from + ": "), std::string::npos) << message;
  EXPECT_NE(message.find(because), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
  LcdConnectContext context{};
  EXPECT_EQ(service.Connect(&context), kLcdServiceNotActive);
  EXPECT_EQ(service.Startup(), kLcdServerUnavailable);
}

// The codes (the system's error codes) and entry are fixed outside: checked once here.
TEST(LcdServiceInterface, CodesAndEntryAreTheOutsideWorlds) {
  EXPECT_EQ(std::vector<int>({kLcdOk, kLcdNoMoreItems, kLcdServiceNotActive, kLcdDeviceNotConnected,
                              kLcdAlreadyInitialized, kLcdServerUnavailable}),
            std::vector<int>({0, 259, 1062, 1167, 1247, 1722}));
  EXPECT_STREQ(LCD_SERVICE_ENTRY_POINT, "GetInterface");
  EXPECT_EQ(LCD_SERVICE_INTERFACE_VERSION, 2);
}

TEST(LcdManagerService, LibrariesAndTablesThatAreNoServiceAreRefused) {
  // The loader's own words: Windows and Wine word them differently.
#ifdef _WIN32
  const char* const missing[] = {" found", "GetInterface: "};
#else
  const char* const missing[] = {"cannot open shared object file",
                                 "undefined symbol: GetInterface"};
#endif
  const std::pair<const char*, const char*> libraries[] = {
      {"/nonexistent/lib.so", missing[0]},
      {KORVAN_NO_ENTRY_PLUGIN, missing[1]},
      {KORVAN_NULL_TABLE_PLUGIN, "GetInterface(2) returned no table"}};
  for (const auto& [path, because] : libraries) {
    LcdManagerService service{std::filesystem::path(path)};
    ExpectRefused(service, path, because);
  }
  for (const int slot : {0, 1, 2, 4, 5, 6, 7, 8, 9, 19}) {  // each operation the program calls
    LcdServiceTable table = ScriptedService::Table();
    std::memset(reinterpret_cast<char*>(&table) + slot * sizeof(void*), 0, sizeof(void*));
    LcdManagerService service(table);
    ExpectRefused(service, "the given table", "the function table lacks an operation");
    if (HasFailure()) return;
    testing::FakeClock clock;
    LcdFacade facade(clock, service);  // nor does a facade over it push or read
    EXPECT_EQ(facade.Initialize(u"x", 0, 0, nullptr, 160, 43), kStatusFail);
    facade.Update();
    EXPECT_FALSE(facade.connected());
    EXPECT_EQ(ScriptedService::calls, "") << "without slot " << slot;
  }
}

// A service whose start-up failed gets nothing more until the facade's next try
// starts it afresh. One dropped while started is cleaned up before it goes.
TEST(LcdManagerService, AServiceThatDidNotStartIsStartedAfreshAtTheNextTry) {
  testing::FakeClock clock(1000);
  const LcdServiceTable table = ScriptedService::Table();
  LcdManagerService service(table);
  LcdFacade facade(clock, service);
  ScriptedService::answers = {{"startup", 5}};
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(facade.Initialize(u"x", 0, 0, nullptr, 160, 43), kStatusFail);
  LcdConnectContext context{};
  EXPECT_EQ(service.Connect(&context) + service.Cleanup(), kLcdServiceNotActive + kLcdOk);
  EXPECT_EQ(ScriptedService::Take(), "startup");
  facade.Update();
  EXPECT_TRUE(facade.connected());
  EXPECT_EQ(service.Startup(), kLcdAlreadyInitialized);
  EXPECT_EQ(ScriptedService::Take(), "startup connect query open foreground push read");
  EXPECT_EQ(LcdManagerService(std::filesystem::path()).Startup(), kLcdServerUnavailable);
  std::make_unique<LcdManagerService>(table)->Startup();  // dropped started: cleaned up first
  EXPECT_EQ(ScriptedService::Take(), "startup cleanup");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "korvan: the LCD service did not start (code 5)\nkorvan: the LCD is open\n");
}

// Standard error since CaptureStderr, without the lines' common start.
std::string Said() {
  std::string said = ::testing::internal::GetCapturedStderr();
  for (std::size_t at; (at = said.find("korvan: ")) != std::string::npos;) said.erase(at, 8);
  return said;
}

// Each state line is said once per change (a new code is one); the first open
// goes unsaid, an LCD that was missing arrives, one that went away is back.
TEST(LcdLinkReport, EachStateLineIsSaidOncePerChange) {
  using enum LcdLinkState;
  // clang-format off
  const std::vector<std::vector<std::pair<LcdLinkState, std::int32_t>>> runs = {
      {{kOpen, 0}, {kOpen, 0}, {kNoDevice, 0}, {kNoDevice, 0}, {kOpen, 0}, {kOpen, 0}},
      {{kNoDevice, 0}, {kNoDevice, 0}, {kOpen, 0}, {kDeviceLost, 1167}, {kDeviceLost, 1167},
       {kDeviceLost, 31}, {kOpen, 0}, {kServiceDown, 5}, {kServiceDown, 5},
       {kServiceDown, kLcdServerUnavailable}, {kConnectFailed, 7}, {kConnectFailed, 7},
       {kOpenFailed, 31}, {kOpenFailed, 31}, {kOpen, 0}}};
  // clang-format on
  const std::string said[] = {
      "no LCD present; waiting for one\nthe LCD is open\n",
      "no LCD present; waiting for one\nthe LCD is open\n"
      "the LCD went away (code 1167); reconnecting\nthe LCD went away (code 31); reconnecting\n"
      "the LCD is back\nthe LCD service did not start (code 5)\n"
      "cannot connect to the LCD service (code 7); retrying\n"
      "the LCD does not open (code 31); retrying\nthe LCD is open\n"};
  for (std::size_t run = 0; run < runs.size(); ++run) {
    LcdLinkReport report;
    ::testing::internal::CaptureStderr();
    for (const auto& [state, code] : runs[run]) report.Enter(state, code);
    EXPECT_EQ(Said(), said[run]) << run;
  }
}

// A page that adds the buttons it is told about to the service's call line.
struct RecordingPage final : LcdPage {
  explicit RecordingPage(Clock& clock) : LcdPage(clock) { StartTimeout(0xFFFFFFFFu); }
  void OnButtonDown(int b) override { ScriptedService::Record("down" + std::to_string(b)); }
  void OnButtonUp(int b) override { ScriptedService::Record("up" + std::to_string(b)); }
};

// With buttons 0 and 3 held, three cycles after the answers: a failed call closes the device, a
// lost connection (not 1167) is dropped too, the next cycle opens again and the buttons go down
// again; a query's 259 (no device yet) keeps all. Priority 0 or no page left: the blank frame once.
// Two shares start it once; the last cleans it up; with none, none goes back.
struct OutputCase {
  std::map<std::string, std::int32_t> answers;
  std::string calls;
  std::string said;  // on standard error, the lines' common start left out
  std::int32_t priority = 128;
  bool expire = false;
};

TEST(LcdOutput, EachAnswerLeadsToItsCalls) {
  const std::string open = "query open foreground push read down1 down8";
  const auto lost = [](int code) {
    return "the LCD went away (code " + std::to_string(code) + "); reconnecting\n";
  };
  const std::string back = "the LCD is back\n";
  // clang-format off
  const OutputCase cases[] = {
      {{{"push", 1167}}, "push close|" + open + "|push read", lost(1167) + back},
      {{{"push", 31}}, "push close disconnect|connect " + open + "|push read", lost(31) + back},
      {{{"read", 1167}}, "push read close up1 up8|" + open + "|push read", lost(1167) + back},
      {{{"read", 5}}, "push read close disconnect up1 up8|connect " + open + "|push read",
       lost(5) + back},
      {{{"push", 1167}, {"query", 259}}, "push close|query|" + open,
       lost(1167) + "no LCD present; waiting for one\n" + back},
      {{{"push", 1167}, {"query", 31}}, "push close|query disconnect|connect " + open,
       lost(1167) + "the LCD does not open (code 31); retrying\n" + back},
      {{{"push", 31}, {"connect", 7}}, "push close disconnect|connect|connect " + open,
       lost(31) + "cannot connect to the LCD service (code 7); retrying\n" + back},
      {{}, "push0||", "", 0}, {{}, "push0||", "", 128, true}};
  // clang-format on
  for (const OutputCase& c : cases) {
    testing::FakeClock clock(1000);
    const LcdServiceTable table = ScriptedService::Table();
    LcdManagerService service(table);
    LcdOutput output(clock, service);
    RecordingPage page(clock);
    output.AddPage(&page);
    const auto cycle = [&] {  // one display cycle's output work; the calls it made
      clock.Advance(10);
      output.Advance(clock.TickCount());
      output.Render();
      return ScriptedService::Take();
    };
    ScriptedService::buttons = LCD_BUTTON_0 | LCD_BUTTON_3;
    ASSERT_EQ(output.Initialize() + output.Initialize(), kStatusOk);
    ASSERT_EQ(ScriptedService::Take(), "startup");  // prepared, not connected
    output.LockActivePage(&page);
    ASSERT_EQ(cycle(), "connect " + open);
    ScriptedService::answers = c.answers;
    output.SetPriority(c.priority);
    if (c.expire) page.StartTimeout(0);
    ::testing::internal::CaptureStderr();
    std::string calls = cycle();
    for (int i = 0; i < 2; ++i) calls.append("|").append(cycle());
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(Said(), c.said) << c.calls;
    for (const std::int32_t left : {1, 0, 0}) EXPECT_EQ(output.ReleaseShare(), left);
    EXPECT_EQ(ScriptedService::Take(), "close disconnect cleanup");
  }
}

// The font classes, a ticker after its first step (1 s at 7 px/s after 2 s at rest) and a bar at
// 40 %, on the second page; items change only on their page, as their kind. The connection gets the
// name cut and option B first. Then button 2 over five cycles: held or free, and the edges seen.
TEST(LcdFacade, ItemsDrawAsTheGoldenFrameAndEachPressAndReleaseIsOneEdge) {
  testing::PinTestFonts();
  testing::FakeClock clock(1000);
  const LcdServiceTable table = ScriptedService::Table();
  LcdManagerService service(table);
  LcdFacade facade(clock, service);
  const std::u16string longName(400, u'n');
  int context = 0;
  const LcdFacade::Callback callback{&context, &context + 1};
  ASSERT_EQ(facade.Initialize(longName.c_str(), 1, 2, &callback, 160, 43), kStatusOk);
  LcdItem* onFirst = facade.AddProgressBar(LcdBarStyle::Cursor);
  ASSERT_EQ(facade.AddPage() + facade.EditPage(1), 3);
  using enum LcdFontClass;
  using enum LcdTextAlignment;
  for (const auto& [kind, font, alignment, x, y, width, text] :
       {std::tuple{LcdItemKind::Text, Small, Left, 0, 0, 80, u"Small 123"},
        {LcdItemKind::Text, Medium, Left, 0, 12, 80, u"Medium 456"},
        {LcdItemKind::Text, Large, Center, 80, 0, 80, u"78.9"},
        {LcdItemKind::StreamingText, Small, Left, 0, 25, 160,
         u"a ticker message much too long for the width of the display band"}}) {
    LcdItem* item = facade.AddText(kind, font, alignment, width);
    const bool placed = x != 0 || y != 0;
    EXPECT_EQ(facade.SetText(item, text) + (placed ? facade.SetPosition(item, x, y) : 0),
              kStatusOk);
  }
  LcdItem* bar = facade.AddProgressBar(LcdBarStyle::Filled);
  EXPECT_EQ(facade.SetPosition(bar, 0, 37) + facade.SetProgressPosition(bar, 40), kStatusOk);
  EXPECT_EQ(facade.SetProgressPosition(onFirst, 10), kStatusFail);
  EXPECT_EQ(onFirst->GetOrigin(), (Point{0, 0}));  // never placed: the top left
  EXPECT_EQ(std::pair(facade.SetText(bar, u"no"), facade.SetText(onFirst, u"no")),
            std::pair(kStatusFail, kStatusFail));
  EXPECT_EQ(facade.AddText(LcdItemKind::Icon, Small, Left, 9), nullptr);
  EXPECT_EQ(facade.EditPage(2) + facade.ShowPage(-1), 0);
  ASSERT_EQ(facade.ShowPage(1), 1);
  for (const std::uint32_t wait : {0u, 2001u, 1000u}) {
    clock.Advance(wait);
    facade.Update();
  }
  const std::uint8_t* pixels = facade.output().GetActiveFrame()->pixels.data();
  EXPECT_TRUE(
      testing::MatchesGolden("lcdlink-facade-items", testing::FrameToArt(pixels, 160, 43, 160)));
  EXPECT_EQ(reinterpret_cast<const char16_t*>(ScriptedService::connected.appName),
            longName.substr(0, LcdFacade::kApplicationNameChars - 1));
  EXPECT_EQ(std::pair(ScriptedService::connected.optionA, ScriptedService::connected.optionB),
            std::pair(2, 1));
  EXPECT_EQ(
      std::pair(ScriptedService::connected.callback, ScriptedService::connected.callbackContext),
      std::pair(callback.function, callback.context));

  std::string seen;
  for (const std::uint32_t buttons : {0u, LCD_BUTTON_2, LCD_BUTTON_2, 0u, 0u}) {
    ScriptedService::buttons = buttons;
    facade.Update();
    const char* edge = facade.ButtonWentDown(2) ? "+down " : facade.ButtonWentUp(2) ? "+up " : " ";
    seen += (facade.ButtonIsDown(2) ? "held" : "free") + std::string(edge);
  }
  EXPECT_EQ(seen, "free held+down held free+up free ");
  // Other indexes are answered, never read out of bounds.
  EXPECT_FALSE(facade.ButtonWentDown(-1) || facade.ButtonWentUp(4) || facade.ButtonIsDown(1 << 20));
  EXPECT_EQ(facade.AddPages(2), 4);  // beside the two there were
  EXPECT_EQ(std::pair(facade.RemovePage(4), facade.RemovePage(3)), std::pair(-1, 3));
}

}  // namespace
}  // namespace korvan
