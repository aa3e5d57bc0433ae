#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "lcd/LcdIconItem.h"
#include "lcd/LcdPage.h"
#include "lcd/LcdStreamingText.h"
#include "lcd/LcdTextItem.h"
#include "platform/images/IconImage.h"
#include "platform/system/Clock.h"

// The drawing loads the benchmarks measure, free of any benchmark library so
// the plain frame timer can run them on Windows too.
namespace korvan::bench {

class SteppedClock final : public Clock {
 public:
  std::uint32_t TickCount() override { return now; }
  void Sleep(std::uint32_t milliseconds) override { now += milliseconds; }

  std::uint32_t now = 1;
};

// A page of 20 one-line text items of the three sizes, six digits each.
class TwentyTextPage {
 public:
  TwentyTextPage();
  // Sets the texts (all moving when `changing`, the same otherwise), renders
  // and fetches the frame.
  const LcdFrame* Frame(bool changing);

 private:
  SteppedClock clock_;
  LcdPage page_;
  std::vector<std::unique_ptr<LcdTextItem>> items_;
  char16_t texts_[20][8] = {};
  std::uint32_t frame_ = 0;
};

// The status page's picture load: the 55 icon items of the five aircraft
// icon sets at their places, one set's 11 shown, the other 44 hidden but
// updated, under a running streaming text.
class StatusPage {
 public:
  StatusPage();
  // Advances the clock by `milliseconds` (0 keeps the band still, 100 is the
  // program's pace), renders and fetches the frame.
  const LcdFrame* Frame(std::uint32_t milliseconds);

 private:
  SteppedClock clock_;
  LcdPage page_;
  LcdStreamingText ticker_;
  std::vector<std::unique_ptr<IconImage>> icons_;
  std::vector<std::unique_ptr<LcdIconItem>> items_;
};

}  // namespace korvan::bench
