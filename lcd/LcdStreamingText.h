#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lcd/LcdItemFont.h"
#include "lcd/LcdItemGroup.h"
#include "lcd/LcdPhaseTimer.h"
#include "lcd/LcdTextItem.h"
#include "platform/system/Clock.h"

namespace korvan {

// A one-line ticker. A text that fits stands still, aligned as asked; one
// that does not becomes a band of pieces (text, gap, text, gap) that, after a
// start delay, runs leftward in whole-pixel jumps of at least the step size,
// each piece that leaves on the left moving to the band's end. The pieces are
// text items this group creates, owns and lays out; all share its box and
// differ only in their logical origin.
class LcdStreamingText : public LcdItemGroup {
 public:
  explicit LcdStreamingText(Clock& clock) : timer_(clock) {}
  ~LcdStreamingText() override;

  std::int32_t Initialize() override;
  // A new position re-creates the band there; the same one changes nothing.
  using LcdItemGroup::SetOrigin;
  void SetOrigin(int x, int y) override;
  // Starts over: one piece holding the text, rebuilt at the next draw.
  void ResetUpdate() override;
  void Draw(LcdCanvas& canvas) override;
  // Measures time only; the pieces have none of their own.
  void Update(std::uint32_t now) override { timer_.Update(now); }

  // Null and the text already held are ignored; a new text starts over.
  void SetText(const char16_t* text);
  const std::u16string& GetText() const { return text_; }
  // The text that follows each copy of the text in the band.
  void SetGapText(const char16_t* text);
  void SetFont(const FontDescription& description);
  const Font* GetFont() const { return font_.Get(); }
  // These three reach the pieces at the next rebuild or restart only.
  void SetFontFaceName(const char16_t* face);
  void SetFontPointSize(int points);
  void SetFontWeight(int weight);
  // Alignment bits for the single piece of a text that fits.
  void SetAlignment(unsigned alignment) { alignment_ = alignment; }
  void SetStartDelay(std::uint32_t milliseconds) { startDelay_ = milliseconds; }
  void SetSpeed(std::uint32_t pixelsPerSecond) { scrollSpeed_ = pixelsPerSecond; }
  void SetStepSize(std::uint32_t pixels) { stepSize_ = pixels; }

  // Appends a piece made like the item (box, logical origin, font), opaque;
  // returns its index.
  int AddPiece(const char16_t* text);
  // An index past the end does nothing. Removing the leading piece makes
  // the next one lead.
  void RemovePiece(std::size_t index);
  void RemoveAllPieces();

  std::size_t GetPieceCount() const { return pieces_.size(); }
  LcdTextItem* GetPiece(std::size_t index) const { return pieces_.at(index).get(); }
  const LcdTextItem* GetLeadingPiece() const { return leadingPiece_; }
  bool IsMoving() const { return state_ == State::Moving; }
  bool NeedsRebuild() const { return needsRebuild_; }

 private:
  enum class State : std::int32_t { Resting = 0, Moving = 1 };

  // A band of several pieces cannot be rebuilt from its front piece, which
  // may by now be a gap: such a change restarts instead.
  void RequestRebuild();
  void Rebuild(LcdCanvas& canvas);
  void LayoutPieces();
  void ScrollPieces(int dx);

  LcdPhaseTimer timer_;
  std::uint32_t startDelay_ = 2000;
  std::uint32_t scrollSpeed_ = 7;
  std::uint32_t stepSize_ = 7;
  State state_ = State::Resting;
  bool needsRebuild_ = false;
  // Always the front piece, or null without pieces.
  LcdTextItem* leadingPiece_ = nullptr;
  std::u16string text_;
  std::u16string gapText_ = u"   ";
  LcdItemFont font_;
  unsigned alignment_ = DrawTextFormat::kLeft;
  float stepRemainder_ = 0.0F;
  // Band order, mirrored by the group's child list.
  std::vector<std::unique_ptr<LcdTextItem>> pieces_;
};

}  // namespace korvan
