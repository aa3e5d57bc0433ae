#pragma once

#include <cstdint>
#include <string>

#include "lcd/LcdItem.h"
#include "lcd/LcdItemFont.h"
#include "platform/fonts/Font.h"
#include "platform/raster/RasterContext.h"

namespace korvan {

// A piece of text drawn with one font into the item's logical-size
// rectangle. Measuring needs the canvas's context, so changes that can alter
// the extent only raise a flag and the next Draw measures; setting the same
// text again costs one comparison.
class LcdTextItem : public LcdItem {
 public:
  LcdTextItem() = default;
  ~LcdTextItem() override = default;

  // Takes the stock GUI font and makes an 8-point font from it.
  std::int32_t Initialize() override;
  void Draw(LcdCanvas& canvas) override;

  virtual void SetFont(const FontDescription& description);
  virtual void SetFontFaceName(const char16_t* face);
  virtual void SetFontPointSize(int points);
  virtual void SetFontWeight(int weight);
  virtual const Font* GetFont() { return font_.Get(); }
  virtual void SetText(const char16_t* text);
  virtual const char16_t* GetText() { return text_.c_str(); }
  virtual void SetWordWrap(bool wrap);
  virtual const Size& GetWrappedExtent() { return wrappedExtent_; }
  virtual const Size& GetLineExtent() { return lineExtent_; }
  virtual void SetLeftMargin(int margin) { drawParams_.leftMargin = margin; }
  virtual int GetLeftMargin() { return drawParams_.leftMargin; }
  virtual void SetRightMargin(int margin) { drawParams_.rightMargin = margin; }
  virtual int GetRightMargin() { return drawParams_.rightMargin; }
  // Replaces the alignment bits the previous call added; other format bits
  // (no-prefix, word break) stay.
  virtual void SetAlignment(unsigned alignment);

  bool NeedsMeasure() const { return needsMeasure_; }
  unsigned GetFormat() const { return format_; }

 private:
  std::u16string text_;
  LcdItemFont font_;
  Color textColor_ = kWhite;
  std::int32_t textLength_ = 0;
  unsigned format_ = DrawTextFormat::kNoPrefix;
  bool needsMeasure_ = true;
  DrawTextParams drawParams_;
  unsigned alignment_ = DrawTextFormat::kLeft;
  Size wrappedExtent_;
  Size lineExtent_;
};

}  // namespace korvan
