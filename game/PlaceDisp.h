#pragma once
#include <memory>

#include "game/HudSlide.h"
#include "gfx/Vec2.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;

// The question: the place name in a translucent rounded box at the top of the
// screen, swelling into place when asked (23); after a judgement (17 correct,
// 19 time-out) the place's one-line fact appears below it for "correct_disp"
// or "miss_disp" seconds, then the box hides until the next question.
class PlaceDisp : public TaskProc {
 public:
  static constexpr float kDropY = 25.0f;      // the whole box sits this far below its frame
  static constexpr float kPadX = 30.0f;       // box size beyond the text, 2D units
  static constexpr float kPadY = 20.0f;
  static constexpr float kLineGap = 10.0f;    // between name and answer line
  static constexpr float kTextShiftX = -4.0f; // optical centring of the text
  static constexpr float kTextDrop = 16.0f;   // baseline below the box's upper half
  static constexpr float kBoxAlpha = 0.5f;    // black panel

  // The box and text placement of one frame, in 2D units (before kDropY).
  struct Layout {
    Vec2<float> box;        // box size
    Vec2<float> boxPivot;   // integer halves of the size
    Vec2<float> boxPos;
    Vec2<float> namePos, namePivot;
    Vec2<float> answerPos, answerPivot;
  };
  // nameSize / answerSize: measured text sizes; withAnswer: the place has an
  // answer line; offset: the leave motion; screenHeight: logical 2D height.
  static Layout layout(const Vec2<float>& nameSize, const Vec2<float>& answerSize, bool withAnswer,
                       const Vec2<float>& offset, int screenHeight);

  // context: the game's shared record (font "place", "devdata/round.png", params "placedisp").
  explicit PlaceDisp(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool shown() const { return shown_; }
  bool answerShown() const { return answerShown_; }
  float nameScale() const { return nameScale_; }
  float nameAlpha() const { return nameAlpha_; }
  float hideTimer() const { return hideTimer_; }

 private:
  void showAnswer(float seconds);

  GameContext* context_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  float scaleSt_ = 1.0f, timeEd_ = 0.0f;        // name swell: start scale, seconds
  float ansScaleSt_ = 1.0f, ansTimeEd_ = 0.0f;  // answer line swell
  float correctDisp_ = 0.0f, missDisp_ = 0.0f;  // seconds the answer line stays
  bool shown_ = false;
  bool answerShown_ = false;
  float nameTime_ = 0.0f, nameScale_ = 1.0f, nameAlpha_ = 0.0f;
  float answerTime_ = 0.0f, answerScale_ = 1.0f, answerAlpha_ = 0.0f;
  bool hiding_ = false;  // hide timer running
  float hideTimer_ = 0.0f;
  HudSlide leave_;
  bool closing_ = false;
};

}  // namespace orb
