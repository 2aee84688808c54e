#pragma once
#include "input/TouchDispatcher.h"

namespace orb {

// Turns mouse events into touches: the left button is one finger; the right
// button adds a second finger mirrored through the window centre, so a right
// drag is a pinch. Motion is coalesced to one event per displayed frame.
class MouseTouch {
 public:
  enum class Button { Left, Right, Other };

  explicit MouseTouch(TouchDispatcher& dispatcher) : dispatcher_(dispatcher) {}

  void setWindowSize(int width, int height) { width_ = width, height_ = height; }
  void button(Button which, bool pressed, int x, int y);
  // frame: the shell's count of displayed frames.
  void motion(int x, int y, long frame);

 private:
  Touch mirrored(float x, float y, float px, float py) const;

  TouchDispatcher& dispatcher_;
  int width_ = 960, height_ = 640;
  bool leftDown_ = false, rightDown_ = false;
  float prevX_ = 0, prevY_ = 0;
  long lastMotionFrame_ = -1;
};

}  // namespace orb
