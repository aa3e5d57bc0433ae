#pragma once

#include <cstdint>

#include "lcd/LcdPhaseTimer.h"
#include "lcd/LcdTextItem.h"

namespace korvan {

enum class LcdScrollDirection : std::int32_t { Horizontal = 0, Vertical = 1 };

enum class LcdScrollState : std::int32_t {
  StartWait = 0,  // resting at the start until the start delay has passed
  Scrolling = 1,  // sliding at the set speed
  EndWait = 2,    // resting at the end until the end delay has passed
  Done = 3,       // staying at the end for good (without repeat)
};

// A text item whose text, when wider (or, vertically, taller) than the item,
// rests at its start, slides through the item at a fixed speed until its end
// shows, rests there, and starts over or stays. The slide is time-based and
// moves the logical origin; all state changes happen while drawing.
class LcdScrollingText : public LcdTextItem {
 public:
  explicit LcdScrollingText(Clock& clock) : timer_(clock) {}
  ~LcdScrollingText() override = default;

  std::int32_t Initialize() override;
  // Back to the start rest, the text at its start, to be measured again.
  void ResetUpdate() override;
  void Draw(LcdCanvas& canvas) override;
  void Update(std::uint32_t now) override { timer_.Update(now); }
  // A different text starts over; the same one changes nothing.
  void SetText(const char16_t* text) override;

  void SetStartDelay(std::uint32_t milliseconds) { startDelay_ = milliseconds; }
  void SetEndDelay(std::uint32_t milliseconds) { endDelay_ = milliseconds; }
  void SetSpeed(std::uint32_t pixelsPerSecond) { scrollSpeed_ = pixelsPerSecond; }
  // Vertical scrolling wraps words at the item's width. Starts over.
  void SetScrollDirection(LcdScrollDirection direction);
  LcdScrollDirection GetScrollDirection() const { return direction_; }
  bool IsScrollDone() const { return state_ == LcdScrollState::Done; }
  void SetRepeat(bool repeat) { repeat_ = repeat; }

  LcdScrollState GetScrollState() const { return state_; }
  // -1 until measured at the first draw after a restart.
  int GetScrollDistance() const { return scrollDistance_; }

 private:
  void Measure(LcdCanvas& canvas);
  void Step();

  LcdPhaseTimer timer_;
  std::uint32_t startDelay_ = 1000;
  std::uint32_t endDelay_ = 1000;
  std::uint32_t scrollSpeed_ = 20;
  bool repeat_ = true;
  int scrollDistance_ = -1;
  float scrollPosition_ = 0.0F;
  LcdScrollDirection direction_ = LcdScrollDirection::Horizontal;
  LcdScrollState state_ = LcdScrollState::StartWait;
};

}  // namespace korvan
