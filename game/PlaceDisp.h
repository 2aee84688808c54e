#pragma once
#include <memory>
#include <string>
#include <vector>

#include "game/HudSlide.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;

// The question: the place name in a rounded panel at the top of the screen,
// swelling into place when asked (23); after a judgement (17 correct, 19
// time-out) the panel opens downwards and the place's fact appears below the
// name for "correct_disp" or "miss_disp" seconds, then the panel hides until
// the next question. Texts too wide for the room between the HUD panels are
// laid out on two lines (PlaceBox).
class PlaceDisp : public TaskProc {
 public:
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
  // Lays the current texts out again when they or the screen have changed.
  void relayout();
  // One laid-out line of text and its measures, 2D units.
  struct Line {
    std::string text;
    float width;   // of its bounding box
    float middle;  // of its bounding box, from the text origin
  };
  std::vector<Line> layLines(const std::string& text) const;
  static float widest(const std::vector<Line>& lines);
  // Draws lines centred on x, their block centred on y, swelling about that centre.
  void drawLines(const std::vector<Line>& lines, float x, float y, float scale, float alpha) const;

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

  // The laid-out texts, and what they were laid out for.
  std::string laidName_, laidAnswer_;
  int laidWidth_ = 0, laidHeight_ = 0;
  float room_ = 0.0f;  // widest line, 2D units
  std::vector<Line> nameLines_, answerLines_;
};

}  // namespace orb
