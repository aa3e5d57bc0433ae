// Over a scripted service: the loader's refusals, the output, the facade.
#include <gtest/gtest.h>

#include <cstring>

#include "lcd/LcdStatus.h"
#include "lcdlink/LcdFacade.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/platform/FontPins.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

using testing::ScriptedService;

// Each refusal answers 1722, leaves the service stopped, says why on one
// line of standard error, and a second try fails alike.
void ExpectRefused(LcdManagerService& service, const std::string& from, const char* because) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(service.Startup(), kLcdServerUnavailable);
  const std::string message = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("from " + from + ": "), std::string::npos) << message;
  EXPECT_NE(message.find(because), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
  LcdConnectContext context{};
  EXPECT_EQ(service.Connect(&context), kLcdServiceNotActive);
  EXPECT_EQ(service.Startup(), kLcdServerUnavailable);
}

TEST(LcdManagerService, LibrariesAndTablesThatAreNoServiceAreRefused) {
  const std::pair<const char*, const char*> libraries[] = {
      {"/nonexistent/lib.so", "cannot open shared object file"},
      {KORVAN_NO_ENTRY_PLUGIN, "undefined symbol: GetInterface"},
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
    EXPECT_EQ(ScriptedService::calls, "") << "without slot " << slot;
  }
}

// A page that adds the buttons it is told about to the service's call line.
class RecordingPage final : public LcdPage {
 public:
  explicit RecordingPage(Clock& clock) : LcdPage(clock) { StartTimeout(0xFFFFFFFFu); }
  void OnButtonDown(std::int32_t b) override { ScriptedService::Record("down" + Of(b), 0); }
  void OnButtonUp(std::int32_t b) override { ScriptedService::Record("up" + Of(b), 0); }
  static std::string Of(std::int32_t button) { return std::to_string(button); }
};

// With buttons 0 and 3 held: a failed call closes the device, a lost
// connection (not 1167) is dropped too, the next cycle opens again and the
// held buttons go down again. A query's 259 (no device yet) keeps all.
struct Case {
  const char* name;
  std::int32_t push, read, query;  // what the next push, read and query answer
  std::string calls;               // three cycles
  void (*before)(LcdOutput&, LcdPage&) = nullptr;
};

const std::string kOpen = "query open foreground push read down1 down8";
const Case kCases[] = {
    {"PushDeviceGone", 1167, 0, 0, "push close|" + kOpen + "|push read"},
    {"PushConnectionLost", 31, 0, 0, "push close disconnect|connect " + kOpen + "|push read"},
    {"ReadDeviceGone", 0, 1167, 0, "push read close up1 up8|" + kOpen + "|push read"},
    {"ReadConnectionLost", 0, 5, 0,
     "push read close disconnect up1 up8|connect " + kOpen + "|push read"},
    {"NoDeviceYet", 1167, 0, 259, "push close|query|" + kOpen},
    {"QueryFails", 1167, 0, 31, "push close|query disconnect|connect " + kOpen},
    // Priority 0 or no page left: the blank frame once, then nothing.
    {"PriorityZero", 0, 0, 0, "push0||",
     [](LcdOutput& output, LcdPage&) { output.SetPriority(0); }},
    {"PageExpired", 0, 0, 0, "push0||", [](LcdOutput&, LcdPage& page) { page.StartTimeout(0); }},
};

class LcdOutputAnswers : public ::testing::TestWithParam<Case> {};

// Two shares start it once; the last cleans it up; with none, none goes back.
TEST_P(LcdOutputAnswers, LeadToTheirCalls) {
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
  ASSERT_EQ(cycle(), "connect " + kOpen);
  ScriptedService::pushResult = GetParam().push;
  ScriptedService::readResult = GetParam().read;
  ScriptedService::queryResult = GetParam().query;
  if (GetParam().before != nullptr) GetParam().before(output, page);
  std::string calls = cycle();
  for (int i = 0; i < 2; ++i) calls += "|" + cycle();
  EXPECT_EQ(calls, GetParam().calls);
  for (const std::int32_t left : {1, 0, 0}) EXPECT_EQ(output.ReleaseShare(), left);
  EXPECT_EQ(ScriptedService::Take(), "close disconnect cleanup");
  EXPECT_EQ(service.Shares(), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, LcdOutputAnswers, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

class LcdFacadeTest : public ::testing::Test {
 protected:
  LcdFacadeTest() : table_(ScriptedService::Table()), service_(table_) {}

  testing::FakeClock clock_{1000};
  LcdServiceTable table_;
  LcdManagerService service_;
  LcdFacade facade_{clock_, service_};
};

// The font classes, a ticker after its first step (a second at 7 pixels a
// second, after two at rest) and a bar at 40 %, on the second page shown.
// The connection gets the name cut, and option B in its first option word.
TEST_F(LcdFacadeTest, ItemsOfEachKindAndClassDrawAsTheGoldenFrame) {
  testing::PinTestFonts();
  const std::u16string longName(400, u'n');
  ASSERT_EQ(facade_.Initialize(longName.c_str(), 1, 2, nullptr, 160, 43), kStatusOk);
  ASSERT_EQ(facade_.AddPage() + facade_.EditPage(1), 3);
  using enum LcdFontClass;
  using enum LcdTextAlignment;
  for (const auto& [kind, font, alignment, x, y, width, text] :
       {std::tuple{LcdItemKind::Text, Small, Left, 0, 0, 80, u"Small 123"},
        {LcdItemKind::Text, Medium, Left, 0, 12, 80, u"Medium 456"},
        {LcdItemKind::Text, Large, Center, 80, 0, 80, u"78.9"},
        {LcdItemKind::StreamingText, Small, Left, 0, 25, 160,
         u"a ticker message much too long for the width of the display band"}}) {
    LcdItem* item = facade_.AddText(kind, font, alignment, width);
    EXPECT_EQ(facade_.SetText(item, text) + facade_.SetPosition(item, x, y), kStatusOk);
  }
  LcdItem* bar = facade_.AddProgressBar(LcdBarStyle::Filled);
  EXPECT_EQ(facade_.SetPosition(bar, 0, 37) + facade_.SetProgressPosition(bar, 40), kStatusOk);
  ASSERT_EQ(facade_.ShowPage(1), 1);
  for (const std::uint32_t wait : {0u, 2001u, 1000u}) {
    clock_.Advance(wait);
    facade_.Update();
  }
  const std::uint8_t* pixels = facade_.output().GetActiveFrame()->pixels.data();
  EXPECT_TRUE(
      testing::MatchesGolden("lcdlink-facade-items", testing::FrameToArt(pixels, 160, 43, 160)));
  EXPECT_EQ(reinterpret_cast<const char16_t*>(ScriptedService::connected.appName),
            longName.substr(0, LcdFacade::kApplicationNameChars - 1));
  EXPECT_EQ(ScriptedService::connected.optionA, 2);
  EXPECT_EQ(ScriptedService::connected.optionB, 1);
}

// Button 2 over five cycles: held or free, and the edges seen.
TEST_F(LcdFacadeTest, EachPressAndReleaseIsSeenOnceAsAnEdge) {
  ASSERT_EQ(facade_.Initialize(u"Korvan test", 0, 0, nullptr, 160, 43), kStatusOk);
  std::string seen;
  for (const std::uint32_t buttons : {0u, LCD_BUTTON_2, LCD_BUTTON_2, 0u, 0u}) {
    ScriptedService::buttons = buttons;
    facade_.Update();
    seen += std::string(facade_.ButtonIsDown(2) ? "held" : "free") +
            (facade_.ButtonWentDown(2) ? "+down "
             : facade_.ButtonWentUp(2) ? "+up "
                                       : " ");
  }
  EXPECT_EQ(seen, "free held+down held free+up free ");
  // Other indexes are answered, never read out of bounds.
  EXPECT_FALSE(facade_.ButtonWentDown(-1) || facade_.ButtonWentUp(4) ||
               facade_.ButtonIsDown(1 << 20));
}

// No service: nothing pushed or read. Items change on their page, as their kind.
TEST_F(LcdFacadeTest, AMissingServiceWrongPagesAndWrongKindsAreRefused) {
  ScriptedService::startupResult = kLcdServerUnavailable;
  EXPECT_EQ(facade_.Initialize(u"x", 0, 0, nullptr, 160, 43), kStatusFail);
  LcdItem* bar = facade_.AddProgressBar(LcdBarStyle::Cursor);
  EXPECT_EQ(facade_.SetText(bar, u"no"), kStatusFail);
  EXPECT_EQ(facade_.AddText(LcdItemKind::Icon, LcdFontClass::Small, LcdTextAlignment::Left, 9),
            nullptr);
  ASSERT_EQ(facade_.AddPage() + facade_.EditPage(1), 3);
  EXPECT_EQ(facade_.SetProgressPosition(bar, 10), kStatusFail);
  EXPECT_EQ(facade_.EditPage(2) + facade_.ShowPage(-1), 0);
  ScriptedService::buttons = LCD_BUTTON_0;
  for (int i = 0; i < 3; ++i) facade_.Update();
  EXPECT_FALSE(facade_.connected() || facade_.ButtonIsDown(0));
  EXPECT_EQ(ScriptedService::calls, "startup");
}

}  // namespace
}  // namespace korvan
