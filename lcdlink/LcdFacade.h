#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "lcd/LcdItem.h"
#include "lcdlink/LcdFacadePage.h"
#include "lcdlink/LcdOutput.h"
#include "platform/raster/RasterContext.h"

namespace korvan {

class LcdTextItem;
struct IconImage;
struct BitmapImage;

// The facade's integer arguments, named. These numbers are the ones the
// facade has always been called with; nothing else repeats them.
enum class LcdFontClass : std::int32_t { Small = 0, Medium = 1, Large = 2 };
enum class LcdTextAlignment : std::uint32_t {
  Left = DrawTextFormat::kLeft,
  Center = DrawTextFormat::kCenter,
  Right = DrawTextFormat::kRight,
};
enum class LcdBarStyle : std::int32_t { Cursor = 0, Filled = 1, DottedCursor = 2 };

// The one object through which the application touches the LCD: numbered
// pages, items made on the page being edited and found only there, the
// output, and the soft buttons seen as edges once per Update.
class LcdFacade {
 public:
  static constexpr std::size_t kApplicationNameChars = 260;  // terminator included

  // Callback record handed on to the service; the program passes none.
  struct Callback {
    void* function = nullptr;
    void* context = nullptr;
  };

  LcdFacade(Clock& clock, LcdManagerService& service);
  virtual ~LcdFacade();
  LcdFacade(const LcdFacade&) = delete;
  LcdFacade& operator=(const LcdFacade&) = delete;

  // Creates page 0, edits it, and prepares the output. A name longer than
  // the field is cut. E_FAIL when pages exist already or the service
  // cannot be started.
  std::int32_t Initialize(const char16_t* name, std::int32_t optionA, std::int32_t optionB,
                          const Callback* callback, int width, int height);

  std::int32_t AddPage();
  std::int32_t AddPages(int count);
  std::int32_t RemovePage(int index);
  std::int32_t PageCount() const { return static_cast<std::int32_t>(pages_.size()); }
  std::int32_t EditPage(int index);
  std::int32_t ShowPage(int index);

  // A text or a streaming text; the font class sets the box height per
  // line, the point size, the lift and the weight. Null without an edited
  // page or for another kind or class.
  LcdItem* AddText(LcdItemKind kind, LcdFontClass fontClass, LcdTextAlignment alignment, int width,
                   int lines = 1);
  std::int32_t SetText(LcdItem* item, const char16_t* text);
  // An icon item drawing `icon` (borrowed; null draws nothing) stretched to
  // width × height.
  LcdItem* AddIcon(const IconImage* icon, int width, int height);
  // Page width × 5, range 0..100, position 0; a style out of range gives a
  // filled bar.
  LcdItem* AddProgressBar(LcdBarStyle style);
  std::int32_t SetProgressPosition(LcdItem* item, float position);
  std::int32_t SetProgressSize(LcdItem* item, int width, int height);
  // A bitmap item of size 0 × 0: it draws nothing until sized.
  LcdItem* AddBitmap();
  // E_FAIL without an edited page or for a null bitmap; otherwise 0, and
  // the bitmap is set only when the item is a bitmap item on the page.
  std::int32_t SetBitmap(LcdItem* item, const BitmapImage* bitmap);
  std::int32_t SetPosition(LcdItem* item, int x, int y);
  std::int32_t SetVisible(LcdItem* item, bool visible);

  // Button 0..3; any other index answers false.
  bool ButtonWentDown(int button) const;
  bool ButtonWentUp(int button) const;
  bool ButtonIsDown(int button) const;

  bool IsDeviceOpen() const { return output_.IsDeviceOpen(); }
  std::int32_t SetForeground(std::int32_t foreground);
  std::int32_t SetPriority(std::int32_t priority);

  // Sets up on the first call; then, while connected, advances, draws and
  // pushes the shown page and reads the buttons.
  void Update();

  virtual void OnButtonDown(std::int32_t mask);
  virtual void OnButtonUp(std::int32_t mask);

  LcdOutput& output() { return output_; }
  bool connected() const { return connected_; }

 protected:
  // True when the item is in the edited page's list.
  bool OnEditPage(const LcdItem* item) const;
  LcdFacadePage* editPage() const { return editPage_; }

 private:
  LcdItem* AddStreamingText(LcdFontClass fontClass, LcdTextAlignment alignment, int width);
  LcdConnectContext ConnectContext() const;
  void SetButton(std::int32_t mask, std::int32_t state);

  Clock& clock_;
  int pageWidth_ = 0;
  int pageHeight_ = 0;
  std::array<char16_t, kApplicationNameChars> applicationName_{};
  LcdOutput output_;
  LcdFacadePage* editPage_ = nullptr;
  std::vector<std::unique_ptr<LcdFacadePage>> pages_;
  // Pages taken out of the list stay registered with the output, so they
  // live on until the facade goes.
  std::vector<std::unique_ptr<LcdFacadePage>> removedPages_;
  bool needsSetup_ = false;
  bool connected_ = false;
  std::array<std::int32_t, 4> buttonsNow_{};
  std::array<std::int32_t, 4> buttonsBefore_{};
  Callback callback_{};
  std::int32_t optionB_ = 0;
  std::int32_t optionA_ = 0;
};

}  // namespace korvan
