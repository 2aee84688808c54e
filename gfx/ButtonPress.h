#pragma once

namespace orb {

// The press a button shows under the finger: it grows (or shrinks) to its
// pressed scale when a touch lands on it or slides back onto it, and eases
// back to its rest size when the finger slides off or lifts. Fed with the
// touch menu's kinds.
class ButtonPress {
 public:
  // pressedScale: the scale held while pressed; time: seconds of each ease.
  ButtonPress(float pressedScale, float time) : pressedScale_(pressedScale), time_(time) {}

  void touch(int kind);
  void update(float dt);
  float scale() const { return scale_; }

 private:
  void easeTo(float target);

  float pressedScale_;
  float time_;
  float scale_ = 1.0f;
  float from_ = 1.0f;
  float to_ = 1.0f;
  float elapsed_ = 0.0f;
};

}  // namespace orb
