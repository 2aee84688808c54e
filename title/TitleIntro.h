#pragma once
#include <array>
#include <memory>

#include "gfx/KeyframeTrack.h"
#include "input/TouchCallBack.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;

// The pictures before the title menu: the studio's card ("intro_1", alpha a
// of the track "intro_easing") and the three pictures of how to play
// ("intro_2" to "intro_4", alpha b). When the track ends it announces 31 (the
// menu panels come); a touch skips it, and then 32 makes the panels appear at
// once, except on the very first run of the game (setting "firstexec"), when
// the player sees it through. 44 ends it silently.
class TitleIntro : public TaskProc, public TouchCallBack {
 public:
  explicit TitleIntro(GameContext* context);
  ~TitleIntro() override;
  TitleIntro(const TitleIntro&) = delete;
  TitleIntro& operator=(const TitleIntro&) = delete;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  void touchesBegan(TouchDispatcher&, const Touches&) override {}
  void touchesMoved(TouchDispatcher&, const Touches&) override {}
  void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) override;

  bool shown() const { return delay_ <= 0.0f; }

 private:
  GameContext* ctx_;
  std::array<std::shared_ptr<Widget>, 4> widgets_;
  KeyframeTrack track_;
  Vec2<float> value_;  // (a, b)
  float delay_;
  float clock_ = 0.0f;
  bool firstRun_;
  bool skip_ = false;
};

}  // namespace orb
