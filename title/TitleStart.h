#pragma once
#include <memory>
#include <vector>

#include "gfx/ButtonPress.h"
#include "gfx/Vec2.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;

// The mode buttons of the title menu. Which buttons exist is how modes are
// offered: "play" alone until "advanced" is unlocked, then "normal" and each
// unlocked harder mode, the column moved up by 20 per extra button. A release
// on a button sets the game mode to the button's "id" and announces 43; the
// chosen button then zooms away while the others fade. Reads "title"
// ("start_delay", "start_ease_time", "start_widgets", "start_btneft_scale",
// "start_btneft_time").
class TitleStart : public TaskProc {
 public:
  static constexpr float kFadeInTime = 1.0f;  // seconds
  static constexpr float kCloseTime = 1.0f;   // seconds, when the menu closes without a game
  static constexpr float kShiftPerButton = 20.0f;  // layout units up per extra button

  explicit TitleStart(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool shown() const { return delay_ <= 0.0f; }
  std::size_t buttonCount() const { return buttons_.size(); }
  const Widget& button(std::size_t i) const { return *buttons_[i].widget; }
  float scale(std::size_t i) const { return buttons_[i].press.scale(); }

 private:
  struct Button {
    std::shared_ptr<Widget> widget;
    ButtonPress press;
  };

  void onTouch(std::size_t index, int kind);
  void fadeTo(float to, float duration);

  GameContext* ctx_;
  std::vector<Button> buttons_;
  float delay_;
  float easeTime_;
  float clock_ = 0.0f;
  float alpha_ = 0.0f, from_ = 0.0f, to_ = 1.0f, duration_ = kFadeInTime;
  bool closing_ = false;
  int chosen_ = -1;              // row of the chosen button, -1 before a choice
  Vec2<float> zoom_{1.0f, 1.0f};  // (scale, alpha) of the chosen button
};

}  // namespace orb
