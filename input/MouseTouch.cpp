#include "input/MouseTouch.h"

namespace orb {

Touch MouseTouch::mirrored(float x, float y, float px, float py) const {
  const float w = static_cast<float>(width_), h = static_cast<float>(height_);
  return {w - x, h - y, w - px, h - py};
}

void MouseTouch::button(Button which, bool pressed, int xi, int yi) {
  const float x = static_cast<float>(xi), y = static_cast<float>(yi);
  Touches touches;
  if (which == Button::Left) {
    leftDown_ = pressed;
    // While the mirrored pinch is held the left button only records its state.
    if (rightDown_) return;
    if (pressed) prevX_ = x, prevY_ = y;
    touches.push_back({x, y, prevX_, prevY_});
  } else if (which == Button::Right) {
    rightDown_ = pressed;
    if (pressed) prevX_ = x, prevY_ = y;
    if (!leftDown_) touches.push_back({x, y, prevX_, prevY_});
    touches.push_back(mirrored(x, y, prevX_, prevY_));
  } else {
    return;
  }
  if (pressed)
    dispatcher_.began(touches);
  else
    dispatcher_.ended(touches);
}

void MouseTouch::motion(int xi, int yi, long frame) {
  if (frame == lastMotionFrame_) return;
  lastMotionFrame_ = frame;
  const float x = static_cast<float>(xi), y = static_cast<float>(yi);
  Touches touches{{x, y, prevX_, prevY_}};
  if (rightDown_) touches.push_back(mirrored(x, y, prevX_, prevY_));
  dispatcher_.moved(touches);
  prevX_ = x, prevY_ = y;
}

}  // namespace orb
