#pragma once
#include <memory>

#include "gfx/Vec3.h"
#include "globe/FeedbackPalette.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Texture;

// The flash on the globe where a tap was judged: red for a correct answer, red
// and longer for a time-out (at the answer), white for a miss, so every tap
// leaves a mark where it landed. Permanent: the game root creates it once and
// it idles between flashes. Drawn in the globe's own frame, so it turns with
// the earth; it fades out as its point turns away behind the limb.
class TouchEft : public TaskProc {
 public:
  static constexpr float kCorrectTime = 0.8f;  // seconds
  static constexpr float kMissTime = 0.6f;
  static constexpr float kTimeOutTime = 2.0f;
  static constexpr float kSize = 10.0f;   // sprite side before the scale below
  static constexpr float kScale = 10.0f;  // globe units per sprite unit

  explicit TouchEft(GameContext* context);
  ~TouchEft() override;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool active() const { return active_; }
  bool red() const { return red_; }
  float alpha() const { return alpha_; }

 private:
  void start(bool red, float duration, bool right = false);

  GameContext* context_;
  std::shared_ptr<Texture> atlas_;
  Vec3 point_{};  // unit direction, globe model space
  bool active_ = false;
  bool red_ = false;
  FeedbackPalette::Rgb colour_{1.0f, 0.0f, 0.0f};  // of a "red" flash: right or danger
  float clock_ = 0.0f;
  float duration_ = 0.0f;
  float alpha_ = 0.0f;
};

}  // namespace orb
