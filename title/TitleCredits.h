#pragma once
#include <memory>

#include "game/HudSlide.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;

// The credits button of the title menu: slides in from the right after
// "credits_delay"; a press announces 33, and once the button has faded the
// staff roll is asked for with 34. Leaves sideways without asking on 43 or 44.
// Reads "title" ("credits_delay", "credits_widgets").
class TitleCredits : public TaskProc {
 public:
  static constexpr float kInTime = 1.5f;     // seconds
  static constexpr float kPressTime = 0.5f;  // seconds of the fade after a press
  static constexpr float kOutTime = 0.7f;    // seconds of the slide-out
  static constexpr float kSlideFrom = 100.0f;  // layout units right of its place

  explicit TitleCredits(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool shown() const { return delay_ <= 0.0f; }
  const Widget& button() const { return *widget_; }

 private:
  GameContext* ctx_;
  std::shared_ptr<Widget> widget_;
  HudSlide slide_;
  float delay_;
  bool staffWanted_ = false;
};

}  // namespace orb
