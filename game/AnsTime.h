#pragma once
#include <memory>

#include "game/HudSlide.h"
#include "globe/FeedbackPalette.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The answer-time gauge: a clock face ("ans_time" widget) with a pie that
// empties as the open question's answer clock runs down and refills after the
// question is judged. It turns red while a question is open and less than a
// quarter of the answer time remains.
class AnsTime : public TaskProc {
 public:
  // Fixed by the clock-face art: pie radius, pie centre inside the widget and
  // the two atlas texels that colour the pie's centre and rim.
  static constexpr float kPieRadius = 30.0f;
  static constexpr float kPieCentreX = 46.5f;
  static constexpr float kPieCentreY = 47.0f;
  static constexpr float kCentreTexelX = 468.0f, kCentreTexelY = 6.0f;
  static constexpr float kRimTexelX = 508.0f, kRimTexelY = 8.0f;

  // context: the game's shared record; widgets: the game screen's widget set ("ans_time").
  AnsTime(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  float sweep() const { return sweep_; }  // radians of pie shown, 0..2 pi
  bool danger() const;                     // drawn red
  const HudSlide& slide() const { return slide_; }

 private:
  void startRefill(float duration);

  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> face_;
  HudSlide slide_;
  bool following_ = false;     // the pie follows the answer clock
  bool questionOpen_ = false;
  float sweep_;
  bool refilling_ = false;
  float refillElapsed_ = 0.0f;
  float refillFrom_ = 0.0f;
  float refillDuration_ = 0.0f;
  FeedbackPalette palette_;  // the danger colour of the face
};

}  // namespace orb
