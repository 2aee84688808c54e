#pragma once
#include <memory>

#include "gfx/ButtonPress.h"
#include "gfx/Vec2.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;

// The continue button of the results, the ranking and the staff roll: it
// fades in, presses under the finger, and when released on announces
// kMsgAgreed once, fades out and leaves. Reads the parameter section "agree"
// ("widget", "btneft_scale", "btneft_time"); its art is in devdata/game2.png.
class Agree : public TaskProc {
 public:
  static constexpr float kFadeTime = 0.5f;  // seconds, in and out

  explicit Agree(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int) override {}

  bool done() const { return done_; }
  float alpha() const { return alpha_; }
  float scale() const { return press_.scale(); }
  const std::shared_ptr<Widget>& widget() const { return widget_; }

 private:
  void onTouch(int kind);

  GameContext* context_;
  std::shared_ptr<Widget> widget_;
  ButtonPress press_;
  float alpha_ = 0.0f;
  float fadeFrom_ = 0.0f;
  float fadeTo_ = 1.0f;
  float fadeClock_ = 0.0f;
  bool done_ = false;
};

}  // namespace orb
