#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "lcd/LcdStatus.h"
#include "lcdlink/LcdFacade.h"
#include "lcdlink/LcdManagerService.h"
#include "platform/images/BitmapImage.h"
#include "platform/images/IconImage.h"
#include "tests/lcdlink/ScriptedService.h"
#include "tests/platform/GoldenFrame.h"
#include "tests/support/FakeClock.h"

namespace korvan::testing {

// A bitmap whose pixel (x, y) is `on` where `lit(x, y)` says so, else `off`.
template <typename Lit>
BitmapImage MakeBitmap(int width, int height, Lit lit, std::uint8_t on = 255,
                       std::uint8_t off = 0) {
  BitmapImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i)
    image.pixels.push_back(lit(i % width, i / width) ? on : off);
  return image;
}

// An icon lit where `lit(x, y)` says so and transparent everywhere else.
template <typename Lit>
IconImage MakeIcon(int width, int height, Lit lit) {
  return {width, height, MakeBitmap(width, height, lit).pixels,
          MakeBitmap(width, height, lit, 0, 255).pixels};
}

struct SceneFacade final : LcdFacade {
  using LcdFacade::LcdFacade;
  LcdFacadePage& Page() const { return *editPage(); }
};

// Items made through the facade, shown by display cycles on the scripted service.
class LcdScene : public ::testing::Test {
 protected:
  using F = LcdFontClass;
  using A = LcdTextAlignment;
  struct TextRow {
    F font;
    A align;
    int x, y, width;
    const char16_t* text;
    int lines = 1;
    LcdItemKind kind = LcdItemKind::Text;
  };

  static void SetUpTestSuite() { PinTestFonts(); }
  void SetUp() override {
    ASSERT_EQ(facade.Initialize(u"scene", 0, 0, nullptr, kLcdWidth, kLcdHeight), kStatusOk);
  }

  std::vector<LcdItem*> Texts(std::initializer_list<TextRow> rows) {
    std::vector<LcdItem*> items;
    for (const TextRow& row : rows) {
      items.push_back(facade.AddText(row.kind, row.font, row.align, row.width, row.lines));
      facade.SetPosition(items.back(), row.x, row.y);
      facade.SetText(items.back(), row.text);
    }
    return items;
  }
  LcdItem* Text(const TextRow& row) { return Texts({row}).front(); }
  LcdItem* Place(LcdItem* item, int x, int y, int width, int height) {
    facade.SetPosition(item, x, y);
    item->SetSize(width, height);
    return item;
  }
  LcdItem* Bitmap(const BitmapImage& bitmap, int x, int y, int width, int height) {
    LcdItem* item = facade.AddBitmap();
    facade.SetBitmap(item, &bitmap);
    return Place(item, x, y, width, height);
  }
  LcdItem* Bar(LcdBarStyle style, int x, int y, int width, int height, float position) {
    LcdItem* item = Place(facade.AddProgressBar(style), x, y, width, height);
    facade.SetProgressPosition(item, position);
    return item;
  }
  template <typename Item>
  static Item& As(LcdItem* item) {
    return dynamic_cast<Item&>(*item);
  }

  void Run(int cycles = 1, std::uint32_t ms = 100) {
    for (int i = 0; i < cycles; ++i) {
      clock.Advance(ms);
      facade.Update();
    }
  }

  // The last frame pushed, read through the page's colour table, against a golden.
  ::testing::AssertionResult Shows(const std::string& name) {
    const std::vector<std::uint8_t>& pushed = ScriptedService::lastFrame;
    if (pushed.size() != LCD_FRAME_BYTES || pushed[0] != 1 || (pushed[1] | pushed[2] | pushed[3]))
      return ::testing::AssertionFailure() << "no frame with the header word 1 was pushed";
    const LcdBitmapInfo& info = *facade.Page().GetBitmapInfo();
    std::vector<std::uint8_t> shown;
    for (std::size_t i = LCD_FRAME_HEADER_BYTES; i < pushed.size(); ++i)
      shown.push_back(info.colors[pushed[i]].red);
    return MatchesGolden(name, FrameToArt(shown.data(), kLcdWidth, kLcdHeight, kLcdWidth));
  }

  FakeClock clock{1};
  LcdServiceTable table = ScriptedService::Table();
  LcdManagerService service{table};
  SceneFacade facade{clock, service};
};

}  // namespace korvan::testing
