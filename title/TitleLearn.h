#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/ButtonPress.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;
class Widget;

// The title's ways to learn beside the game: "drill" and "explore", two
// labelled panels above the credits button. A release on one sets the
// context's learnMode to the button's "id" and announces 43, as a mode button
// does, so the title closes and starts it in place of a game. Fades in with
// the mode buttons and out when the title closes. Reads "title"
// ("learn_widgets": pos, size, x_layout, y_layout, id and "text" of each
// button, drawn as the language's text "title.<name>"; "start_delay", "start_btneft_scale", "start_btneft_time").
class TitleLearn : public TaskProc {
 public:
  static constexpr float kFadeTime = 1.0f;  // seconds, in and out

  explicit TitleLearn(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool shown() const { return delay_ <= 0.0f; }
  std::size_t buttonCount() const { return buttons_.size(); }
  const Widget& button(std::size_t i) const { return *buttons_[i].widget; }

 private:
  struct Button {
    std::shared_ptr<Widget> widget;
    std::string text;
    ButtonPress press;
  };

  void onTouch(std::size_t index, int kind);
  void fadeTo(float to);

  GameContext* ctx_;
  std::vector<Button> buttons_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  float delay_ = 0.0f;
  float clock_ = 0.0f, alpha_ = 0.0f, from_ = 0.0f, to_ = 1.0f;
  bool closing_ = false;
};

}  // namespace orb
