#pragma once
#include <memory>

#include "game/HudSlide.h"
#include "game/WidgetDraw.h"
#include "globe/FeedbackPalette.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The game clock: the "timeremain" panel with the remaining seconds as two
// large digits, the separator glyph and the hundredths in two small digits.
// Under ten seconds, once a question has been shown, the digits pulse red with
// every second. Created only when the game has a clock.
class PlayTime : public TaskProc {
 public:
  // Fixed by the digit art: where the separator and the hundredths sit
  // relative to the whole seconds, in 2D units.
  static constexpr float kSeparatorX = 72.0f;
  static constexpr float kHundredthsX = 34.0f;  // after the separator
  static constexpr float kHundredthsY = 28.0f;
  static constexpr int kSeparatorGlyph = 10;
  static constexpr float kWarnBelow = 10.0f;    // seconds left when the pulse starts

  // context: the game's shared record; widgets: the game screen's widget set ("timeremain").
  PlayTime(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  float shownClock() const { return shown_; }  // seconds on display
  const Tint& colour() const { return colour_; }
  const HudSlide& slide() const { return slide_; }

 private:
  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> panel_;
  float numX_ = 0.0f, numY_ = 0.0f;  // "num_ofs"
  HudSlide slide_;
  float countElapsed_ = 0.0f;  // the opening count-up from 0 to the clock
  float shown_ = 0.0f;
  Tint colour_;
  FeedbackPalette palette_;  // the danger colour the digits pulse in
  bool frozen_ = false;  // the colour stays as it was when the game ended
};

}  // namespace orb
