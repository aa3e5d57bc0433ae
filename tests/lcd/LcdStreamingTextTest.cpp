#include "lcd/LcdStreamingText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lcd/LcdPage.h"
#include "lcd/LcdStatus.h"
#include "tests/lcd/LcdTestItems.h"
#include "tests/platform/FontPins.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {
namespace {

constexpr const char16_t* kLong = u"ALTITUDE 12345 FT HEADING 270";
constexpr const char16_t* kGap = u"       ";

class LcdStreamingTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PinTestFonts(); }

  void SetUp() override {
    ASSERT_EQ(page.Initialize(), kStatusOk);
    // Made as the facade makes a streaming text, with quicker round numbers:
    // 10 pixels a second in steps of 5, so a 100 ms frame earns one pixel.
    ASSERT_EQ(ticker.Initialize(), kStatusOk);
    ticker.SetOrigin(0, 0);
    ticker.SetFontFaceName(u"Microsoft Sans Serif");
    ticker.SetText(u" ");
    ticker.SetGapText(kGap);
    ticker.SetSpeed(10);
    ticker.SetStepSize(5);
    ticker.SetStartDelay(2000);
    ticker.SetSize(60, 13);
    ticker.SetFontPointSize(8);
    ticker.SetLogicalOrigin(0, -2);
    ticker.SetOrigin(10, 20);
    page.AddItem(&ticker);
  }

  // One display cycle `ms` after the previous one.
  const LcdFrame& Frame(std::uint32_t ms = 100) {
    clock.Advance(ms);
    page.Advance(clock.TickCount());
    EXPECT_EQ(page.Render(), kStatusOk);
    return *page.GetFrame();
  }

  std::vector<std::u16string> Texts() const {
    std::vector<std::u16string> texts;
    for (std::size_t i = 0; i < ticker.GetPieceCount(); ++i)
      texts.emplace_back(ticker.GetPiece(i)->GetText());
    return texts;
  }
  std::vector<int> LogicalXs() const {
    std::vector<int> xs;
    for (std::size_t i = 0; i < ticker.GetPieceCount(); ++i)
      xs.push_back(ticker.GetPiece(i)->GetLogicalOrigin().x);
    return xs;
  }
  // Where each piece would start if the band were laid end to end from the
  // first piece.
  std::vector<int> EndToEnd() const {
    std::vector<int> xs;
    int x = ticker.GetPiece(0)->GetLogicalOrigin().x;
    for (std::size_t i = 0; i < ticker.GetPieceCount(); ++i) {
      xs.push_back(x);
      x += ticker.GetPiece(i)->GetLineExtent().cx;
    }
    return xs;
  }
  // Starts the long text, which becomes text, gap, text, gap laid end to
  // end, and runs the rebuild and the start rest.
  void StartMoving() {
    ticker.SetText(kLong);
    Frame();  // rebuild
    ASSERT_EQ(Texts(), (std::vector<std::u16string>{kLong, kGap, kLong, kGap}));
    EXPECT_EQ(LogicalXs(), EndToEnd());
    EXPECT_EQ(ticker.GetPiece(1)->GetLogicalOrigin().y, -2);
    EXPECT_EQ(ticker.GetPiece(1)->GetLogicalSize(), ticker.GetPiece(1)->GetLineExtent());
    Frame(2001);
    ASSERT_TRUE(ticker.IsMoving());
  }

  FakeClock clock{5000};
  LcdPage page{clock};
  LcdStreamingText ticker{clock};
};

TEST_F(LcdStreamingTextTest, TextThatFitsIsOneAlignedPieceThatNeverMoves) {
  ticker.SetAlignment(DrawTextFormat::kRight);
  ticker.SetText(u"12");
  ASSERT_EQ(ticker.GetPieceCount(), 1U);
  EXPECT_TRUE(ticker.NeedsRebuild());
  const std::string first = FrameToArt(Frame().pixels.data(), kLcdWidth, kLcdHeight, kLcdWidth);
  EXPECT_FALSE(ticker.NeedsRebuild());
  EXPECT_EQ(ticker.GetPieceCount(), 1U);
  EXPECT_EQ(LitIn(*page.GetFrame(), {10, 20, 50, 33}), 0) << "pushed to the right";
  EXPECT_GT(LitIn(*page.GetFrame(), {50, 20, 70, 33}), 0);
  Frame(2001);
  EXPECT_TRUE(ticker.IsMoving()) << "it moves on to the moving state, just not the text";
  for (int i = 0; i < 30; ++i) Frame(1000);
  EXPECT_EQ(FrameToArt(page.GetFrame()->pixels.data(), kLcdWidth, kLcdHeight, kLcdWidth), first);
}

TEST_F(LcdStreamingTextTest, StartRestIsStrictAndTheRebuildFrameNeitherWaitsNorMoves) {
  ticker.SetText(kLong);
  Frame(5000);  // rebuild: no waiting in this frame, whatever the time
  EXPECT_FALSE(ticker.IsMoving());
  Frame();
  EXPECT_TRUE(ticker.IsMoving()) << "the rest counts from the new text";

  ticker.SetText(u"another long text that will not fit");
  Frame();      // rebuild
  Frame(1900);  // 2000 ms: not more than the delay
  EXPECT_FALSE(ticker.IsMoving());
  Frame(1);
  EXPECT_TRUE(ticker.IsMoving());
  EXPECT_EQ(LogicalXs()[0], 0) << "the switching frame moves nothing";
}

TEST_F(LcdStreamingTextTest, BandJumpsByWholeEarnedPixelsOfAtLeastTheStep) {
  StartMoving();
  for (int i = 0; i < 4; ++i) {
    Frame();
    EXPECT_EQ(LogicalXs()[0], 0) << "earned " << i + 1 << " of 5 pixels";
  }
  Frame();
  EXPECT_EQ(LogicalXs()[0], -5);
  EXPECT_EQ(LogicalXs(), EndToEnd()) << "every piece moved alike";
  Frame(750);  // 7.5 pixels: jump 7, keep half a pixel
  EXPECT_EQ(LogicalXs()[0], -12);
  Frame(450);  // 4.5 + 0.5
  EXPECT_EQ(LogicalXs()[0], -17);

  // Two draws without an update between them earn the same time twice.
  Frame(300);
  EXPECT_EQ(LogicalXs()[0], -17);
  page.Render();
  EXPECT_EQ(LogicalXs()[0], -23) << "3 + 3 pixels";
}

TEST_F(LcdStreamingTextTest, PieceThatLeavesOnTheLeftMovesToTheEnd) {
  StartMoving();
  const int textWidth = ticker.GetPiece(0)->GetLineExtent().cx;
  const LcdTextItem* firstText = ticker.GetPiece(0);
  // A long pause: one large jump, and one piece moved however far it went.
  Frame(static_cast<std::uint32_t>(textWidth + 1) * 100 * 2);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kGap, kLong, kGap, kLong}));
  EXPECT_EQ(ticker.GetPiece(3), firstText) << "the same piece, reused";
  EXPECT_EQ(ticker.GetLeadingPiece(), ticker.GetPiece(0));
  EXPECT_EQ(LogicalXs(), EndToEnd());
  EXPECT_LE(LogicalXs()[0], 0);
  EXPECT_LT(LogicalXs()[0], -ticker.GetPiece(0)->GetLineExtent().cx)
      << "the gap is out of view too, but waits for the next jump";
  Frame(500);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kLong, kGap, kLong, kGap}));
  EXPECT_EQ(LogicalXs(), EndToEnd());
}

TEST_F(LcdStreamingTextTest, NewOriginOrNewTextStartsOverTheSameOnesDoNot) {
  StartMoving();
  for (int i = 0; i < 5; ++i) Frame();
  ticker.SetOrigin(10, 20);
  ticker.SetText(kLong);
  EXPECT_EQ(ticker.GetPieceCount(), 4U);
  EXPECT_TRUE(ticker.IsMoving());

  ticker.SetOrigin(Point{10, 25});  // y only
  EXPECT_FALSE(ticker.IsMoving());
  ASSERT_EQ(ticker.GetPieceCount(), 1U);
  EXPECT_EQ(ticker.GetPiece(0)->GetOrigin(), (Point{10, 25}));
  EXPECT_EQ(ticker.GetPiece(0)->GetLogicalOrigin(), (Point{0, -2}));
  Frame();
  EXPECT_EQ(ticker.GetPieceCount(), 4U);
  EXPECT_EQ(LogicalXs()[0], 0);

  Frame(2001);
  ticker.SetText(u"short");
  EXPECT_FALSE(ticker.IsMoving());
  Frame();
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"short"}));
}

TEST_F(LcdStreamingTextTest, EmptyTextPaintsTheBoxBlackAndNoTextDrawsNothing) {
  BoxItem white(0, 0, 160, 43);
  LcdStreamingText fresh{clock};
  ASSERT_EQ(fresh.Initialize(), kStatusOk);
  fresh.SetOrigin(10, 0);
  fresh.SetSize(60, 13);
  page.RemoveItem(&ticker);
  page.AddItem(&white);
  page.AddItem(&fresh);
  EXPECT_EQ(LitTotal(Frame()), 160 * 43) << "no text, no piece, nothing drawn";
  EXPECT_EQ(fresh.GetPieceCount(), 0U);
  fresh.SetText(u"x");
  fresh.SetText(u"");
  ASSERT_EQ(fresh.GetPieceCount(), 1U);
  EXPECT_EQ(LitTotal(Frame()), 160 * 43 - 60 * 13) << "the opaque empty piece";
}

TEST_F(LcdStreamingTextTest, LaterSettingsReachExistingPiecesOnlyAtARestart) {
  ticker.SetText(u"12");
  Frame();
  const Font* pieceFont = ticker.GetPiece(0)->GetFont();
  ticker.SetFontPointSize(12);
  ticker.SetSize(100, 20);
  Frame();
  EXPECT_EQ(ticker.GetPiece(0)->GetFont(), pieceFont);
  EXPECT_EQ(ticker.GetPiece(0)->GetSize(), (Size{60, 13}));
  ticker.SetOrigin(0, 0);
  EXPECT_EQ(ticker.GetPiece(0)->GetSize(), (Size{100, 20}));
  EXPECT_EQ(ticker.GetPiece(0)->GetFont()->Description(), ticker.GetFont()->Description());

  // A piece made while the item was 0 × 0 shows nothing.
  LcdStreamingText unsized{clock};
  unsized.Initialize();
  unsized.SetText(u"12");
  unsized.SetSize(60, 13);
  EXPECT_EQ(unsized.GetPiece(0)->GetSize(), (Size{0, 0}));
}

TEST_F(LcdStreamingTextTest, GapOrFontChangeOfARunningBandStartsOver) {
  StartMoving();
  ticker.SetGapText(u" - ");
  EXPECT_EQ(ticker.GetPieceCount(), 1U) << "not seven pieces behind a gap at the front";
  Frame();
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kLong, u" - ", kLong, u" - "}));
  ticker.SetGapText(u" - ");
  EXPECT_FALSE(ticker.NeedsRebuild()) << "the same gap again changes nothing";
  FontDescription bold = ticker.GetFont()->Description();
  bold.weight = kWeightBold;
  ticker.SetFont(bold);
  EXPECT_EQ(ticker.GetPieceCount(), 1U);
  Frame();
  EXPECT_EQ(ticker.GetPiece(2)->GetFont()->Description().weight, kWeightBold);
}

TEST_F(LcdStreamingTextTest, RemovingTheLeadingPieceHandsTheLeadOn) {
  StartMoving();
  ticker.RemovePiece(7);
  EXPECT_EQ(ticker.GetPieceCount(), 4U);
  ticker.RemovePiece(0);
  EXPECT_EQ(ticker.GetLeadingPiece(), ticker.GetPiece(0));
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kGap, kLong, kGap}));
  for (int i = 0; i < 100; ++i) Frame(500);  // runs and rotates without the removed piece
  EXPECT_EQ(ticker.GetPieceCount(), 3U);
  ticker.RemoveAllPieces();
  EXPECT_EQ(ticker.GetLeadingPiece(), nullptr);
  Frame(500);
  EXPECT_EQ(LitIn(*page.GetFrame(), {10, 20, 70, 33}), 0);
}

}  // namespace
}  // namespace korvan::testing
