#include "gfx/ButtonPress.h"

#include "gfx/Easing.h"
#include "gfx/TouchMenu.h"

namespace orb {

void ButtonPress::touch(int kind) {
  switch (kind) {
    case TouchMenu::kBegan:
    case TouchMenu::kEntered:
      easeTo(pressedScale_);
      break;
    case TouchMenu::kLeft:
    case TouchMenu::kReleasedOn:  // springs back as the finger lifts
      easeTo(1.0f);
      break;
    default:
      break;
  }
}

void ButtonPress::easeTo(float target) {
  from_ = scale_;
  to_ = target;
  elapsed_ = 0.0f;
}

void ButtonPress::update(float dt) {
  if (elapsed_ < time_) elapsed_ += dt;
  tween(scale_, elapsed_, from_, to_, time_, kEaseBackOut);
}

}  // namespace orb
