#include "globe/OverlayFade.h"

#include "gfx/Easing.h"

namespace orb {

bool OverlayFade::update(float dt) {
  if (kFadeTime > elapsed_) {
    elapsed_ += dt;
    tween(alpha_, elapsed_, from_, to_, kFadeTime, kEaseLinear);
  }
  return !(closing_ && elapsed_ >= kFadeTime);
}

void OverlayFade::close() {
  if (closing_) return;
  closing_ = true;
  elapsed_ = 0.0f;
  from_ = alpha_;
  to_ = 0.0f;
}

}  // namespace orb
