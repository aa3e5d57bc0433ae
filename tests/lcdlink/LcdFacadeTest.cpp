#include "lcdlink/LcdFacade.h"

#include <gtest/gtest.h>

#include <string>

#include "lcd/LcdBitmapItem.h"
#include "lcd/LcdProgressBar.h"
#include "lcd/LcdStatus.h"
#include "lcd/LcdTextItem.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/support/FakeClock.h"

namespace korvan {
namespace {

using testing::ScriptedService;

class LcdFacadeTest : public ::testing::Test {
 protected:
  LcdFacadeTest() : table_(ScriptedService::Table()), service_(table_) { clock_.Advance(1000); }

  void InitializeWithPages(int pages) {
    ASSERT_EQ(facade_.Initialize(u"Korvan test", 0, 0, nullptr, 160, 43), kStatusOk);
    facade_.AddPages(pages - 1);
  }

  testing::FakeClock clock_;
  LcdServiceTable table_;
  LcdManagerService service_;
  LcdFacade facade_{clock_, service_};
};

TEST_F(LcdFacadeTest, EachPressAndReleaseIsSeenOnceAsAnEdge) {
  InitializeWithPages(1);
  facade_.Update();  // sets up and connects
  ScriptedService::buttons = LCD_BUTTON_2;
  facade_.Update();
  EXPECT_TRUE(facade_.ButtonWentDown(2));
  EXPECT_TRUE(facade_.ButtonIsDown(2));
  EXPECT_FALSE(facade_.ButtonWentUp(2));
  facade_.Update();
  EXPECT_FALSE(facade_.ButtonWentDown(2));  // only for one cycle
  ScriptedService::buttons = 0;
  facade_.Update();
  EXPECT_TRUE(facade_.ButtonWentUp(2));
  facade_.Update();
  EXPECT_FALSE(facade_.ButtonWentUp(2));
  // Indexes outside 0..3 are answered, never read out of bounds.
  for (const int bad : {-1, 4, 1 << 20}) {
    EXPECT_FALSE(facade_.ButtonWentDown(bad));
    EXPECT_FALSE(facade_.ButtonWentUp(bad));
    EXPECT_FALSE(facade_.ButtonIsDown(bad));
  }
}

TEST_F(LcdFacadeTest, ItemsAreFoundOnlyOnTheEditedPage) {
  InitializeWithPages(3);
  LcdItem* onFirst =
      facade_.AddText(LcdItemKind::Text, LcdFontClass::Small, LcdTextAlignment::Left, 50);
  ASSERT_NE(onFirst, nullptr);
  EXPECT_EQ(facade_.SetText(onFirst, u"42"), kStatusOk);
  EXPECT_EQ(facade_.ShowPage(2), 1);
  EXPECT_EQ(facade_.SetText(onFirst, u"43"), kStatusFail);
  EXPECT_EQ(facade_.SetVisible(onFirst, false), kStatusFail);
  EXPECT_EQ(facade_.SetPosition(onFirst, 3, 4), kStatusFail);
  EXPECT_EQ(facade_.EditPage(0), 1);
  EXPECT_EQ(facade_.SetPosition(onFirst, 3, 4), kStatusOk);
  EXPECT_EQ(std::u16string(static_cast<LcdTextItem*>(onFirst)->GetText()), u"42");
  EXPECT_EQ(onFirst->GetOrigin().x, 3);
  EXPECT_EQ(facade_.EditPage(3), 0);
  EXPECT_EQ(facade_.ShowPage(-1), 0);
}

TEST_F(LcdFacadeTest, TextBoxesFollowTheirFontClass) {
  InitializeWithPages(1);
  LcdItem* big =
      facade_.AddText(LcdItemKind::Text, LcdFontClass::Large, LcdTextAlignment::Center, 80, 2);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->GetHeight(), 40);
  EXPECT_EQ(big->GetLogicalOrigin().y, -2);
  EXPECT_EQ(big->GetKind(), LcdItemKind::Text);
  LcdItem* small =
      facade_.AddText(LcdItemKind::Text, LcdFontClass::Small, LcdTextAlignment::Right, 30);
  EXPECT_EQ(small->GetHeight(), 12);
  EXPECT_EQ(
      facade_.AddText(LcdItemKind::Text, static_cast<LcdFontClass>(3), LcdTextAlignment::Left, 30),
      nullptr);  // no such font class
  EXPECT_EQ(
      facade_.AddText(static_cast<LcdItemKind>(7), LcdFontClass::Small, LcdTextAlignment::Left, 30),
      nullptr);  // no such kind
  // A ticker is one line high whatever the lines asked for.
  LcdItem* ticker = facade_.AddText(LcdItemKind::StreamingText, LcdFontClass::Large,
                                    LcdTextAlignment::Left, 80, 2);
  ASSERT_NE(ticker, nullptr);
  EXPECT_EQ(ticker->GetHeight(), 20);
  EXPECT_EQ(ticker->GetKind(), LcdItemKind::StreamingText);
  EXPECT_EQ(facade_.SetText(ticker, u"a long message that runs along"), kStatusOk);
}

TEST_F(LcdFacadeTest, ShowPageMakesThePageTheOnePushed) {
  InitializeWithPages(2);
  facade_.Update();
  LcdPage* first = facade_.output().activePage();
  facade_.ShowPage(1);
  facade_.Update();
  EXPECT_NE(facade_.output().activePage(), first);
  EXPECT_NE(facade_.output().activePage(), nullptr);
}

TEST_F(LcdFacadeTest, MissingServiceMeansNothingIsEverDrawnOrRead) {
  ScriptedService::startupResult = kLcdServerUnavailable;
  EXPECT_EQ(facade_.Initialize(u"x", 0, 0, nullptr, 160, 43), kStatusFail);
  ScriptedService::startupResult = kLcdServerUnavailable;
  ScriptedService::buttons = LCD_BUTTON_0;
  for (int i = 0; i < 3; ++i) facade_.Update();
  EXPECT_FALSE(facade_.connected());
  EXPECT_FALSE(facade_.ButtonIsDown(0));
  for (const auto& call : ScriptedService::calls) EXPECT_NE(call, "PushFrame");
}

TEST_F(LcdFacadeTest, InitializeOnlyOnceAndLongNamesAreCut) {
  const std::u16string longName(400, u'n');
  ASSERT_EQ(facade_.Initialize(longName.c_str(), 0, 0, nullptr, 160, 43), kStatusOk);
  EXPECT_EQ(facade_.Initialize(u"again", 0, 0, nullptr, 160, 43), kStatusFail);
  EXPECT_EQ(facade_.PageCount(), 1);
}

TEST_F(LcdFacadeTest, ProgressBarsMapTheirStyleAndRefuseOtherItems) {
  InitializeWithPages(1);
  auto* cursor = static_cast<LcdProgressBar*>(facade_.AddProgressBar(LcdBarStyle::Cursor));
  auto* filled = static_cast<LcdProgressBar*>(facade_.AddProgressBar(LcdBarStyle::Filled));
  auto* dotted = static_cast<LcdProgressBar*>(facade_.AddProgressBar(LcdBarStyle::DottedCursor));
  EXPECT_EQ(cursor->GetStyle(), LcdProgressStyle::Cursor);
  EXPECT_EQ(filled->GetStyle(), LcdProgressStyle::Filled);
  EXPECT_EQ(dotted->GetStyle(), LcdProgressStyle::DottedCursor);
  EXPECT_EQ(filled->GetWidth(), 160);
  EXPECT_EQ(filled->GetHeight(), 5);
  EXPECT_EQ(filled->GetKind(), LcdItemKind::ProgressBar);
  EXPECT_EQ(facade_.SetProgressPosition(filled, 40.0f), kStatusOk);
  EXPECT_FLOAT_EQ(filled->GetPos(), 40.0f);
  EXPECT_EQ(facade_.SetProgressSize(filled, 80, 7), kStatusOk);
  EXPECT_EQ(filled->GetWidth(), 80);

  LcdItem* text =
      facade_.AddText(LcdItemKind::Text, LcdFontClass::Small, LcdTextAlignment::Left, 30);
  EXPECT_EQ(facade_.SetProgressPosition(text, 10.0f), kStatusFail);
  EXPECT_EQ(facade_.SetProgressSize(text, 1, 1), kStatusFail);
  EXPECT_EQ(facade_.SetText(filled, u"no"), kStatusFail);
}

TEST_F(LcdFacadeTest, BitmapsAreSetOnlyOnBitmapItems) {
  InitializeWithPages(2);
  auto* item = static_cast<LcdBitmapItem*>(facade_.AddBitmap());
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetWidth(), 0);  // draws nothing until sized
  const BitmapImage bitmap{2, 2, {0, 255, 255, 0}};
  EXPECT_EQ(facade_.SetBitmap(item, nullptr), kStatusFail);
  EXPECT_EQ(facade_.SetBitmap(item, &bitmap), kStatusOk);
  EXPECT_EQ(item->GetBitmap(), &bitmap);
  LcdItem* text =
      facade_.AddText(LcdItemKind::Text, LcdFontClass::Small, LcdTextAlignment::Left, 30);
  EXPECT_EQ(facade_.SetBitmap(text, &bitmap), kStatusOk);  // found, but not a bitmap: unchanged
  facade_.EditPage(1);
  EXPECT_EQ(facade_.SetBitmap(item, &bitmap), kStatusOk);  // not on this page: nothing
}

}  // namespace
}  // namespace korvan
