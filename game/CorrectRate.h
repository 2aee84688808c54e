#pragma once
#include <memory>

#include "gfx/Vec2.h"
#include "gfx/WidgetSet.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Texture;

// The title panel that shows which share of all places the player has ever
// found, counting up to it as "024.6%" in the small HUD digits. Slides in
// after "title"."correct_delay" (at once on kMsgTitleReady) and slides out,
// then leaves, when the credits, a mode or the title's opening timers take
// the screen. Parameters: the "correct_*" keys of "title".
class CorrectRate : public TaskProc {
 public:
  explicit CorrectRate(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  float target() const { return target_; }  // percent, 0-100
  float shown() const { return shown_; }    // percent as counted up so far
  Vec2<float> offset() const { return offset_; }
  bool closing() const { return closing_; }
  // The shown percentage in tenths, as the digits draw it (246 for 24.6 %).
  int shownTenths() const;

 private:
  void slideTo(const Vec2<float>& to);

  GameContext* context_;
  WidgetSet widgets_;
  std::shared_ptr<Widget> panel_;
  std::shared_ptr<Texture> digits_;
  float delay_ = 0.0f;
  Vec2<float> away_;  // the offset the panel slides in from and out to
  Vec2<float> offset_;
  Vec2<float> from_, to_;
  float slideTime_ = 0.0f;
  float slideClock_ = 0.0f;
  Vec2<float> number_;  // digits' top-left from the widget's anchor
  float countTime_ = 0.0f;
  float countClock_ = 0.0f;
  float target_ = 0.0f;
  float shown_ = 0.0f;
  bool closing_ = false;
};

}  // namespace orb
