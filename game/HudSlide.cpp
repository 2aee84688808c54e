#include "game/HudSlide.h"

#include "gfx/Easing.h"

namespace orb {

void HudSlide::start(const Vec3& from, const Vec3& to, float duration, int easing) {
  from_ = from;
  to_ = to;
  value_ = from;
  elapsed_ = 0.0f;
  duration_ = duration;
  easing_ = easing;
}

void HudSlide::leave(const Vec3& to, float duration, int easing) {
  if (leaving_) return;
  leaving_ = true;
  start(value_, to, duration, easing);
}

bool HudSlide::update(float dt) {
  if (elapsed_ < duration_) elapsed_ += dt;
  tween3(value_, elapsed_, from_, to_, duration_, easing_);
  return !(leaving_ && finished());
}

}  // namespace orb
