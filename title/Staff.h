#pragma once
#include <memory>
#include <string>
#include <vector>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;

// The staff roll: the lines of "staff"."text" centred in a HUD panel that
// grows in from a quarter of its size. The continue button follows after
// 2 s; its kMsgAgreed shrinks the roll away, and kMsgStaffDone goes out a
// quarter of the way into that, so the title's menu returns while the roll
// is still fading.
class Staff : public TaskProc {
 public:
  static constexpr float kOpenTime = 2.0f;     // seconds of the grow-in
  static constexpr float kAgreeAfter = 2.0f;   // seconds to the continue button
  static constexpr float kCloseTime = 1.0f;    // seconds of the shrink-out
  static constexpr float kDoneAfter = 0.25f;   // seconds into it: kMsgStaffDone

  explicit Staff(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  float alpha() const { return alpha_; }
  float scale() const { return scale_; }
  float boxWidth() const { return boxWidth_; }
  float boxHeight() const { return boxHeight_; }
  std::size_t lineCount() const { return lines_.size(); }

 private:
  struct Line {
    std::string text;
    float x, y;  // baseline start, before the roll's scale and y offset
  };

  GameContext* context_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  float yOfs_ = 0.0f;
  std::vector<Line> lines_;
  float boxWidth_ = 0.0f, boxHeight_ = 0.0f;
  float clock_ = 0.0f;
  float duration_ = kOpenTime;
  int easing_;
  float alpha_ = 0.0f, alphaFrom_ = 0.0f, alphaTo_ = 1.0f;
  float scale_ = 0.25f, scaleFrom_ = 0.25f, scaleTo_ = 1.0f;
  float agreeIn_ = kAgreeAfter;
  bool closeRequested_ = false;
  bool closing_ = false;
  float doneIn_ = 0.0f;
  float endIn_ = 0.0f;
};

}  // namespace orb
