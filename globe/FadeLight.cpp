#include "globe/FadeLight.h"

#include "globe/GameContext.h"
#include "gfx/Easing.h"
#include "globe/EarthModel.h"
#include "task/Messages.h"

namespace orb {
namespace {


}  // namespace

FadeLight::FadeLight(GameContext* context) : context_(context) {
  start = value = context_->earth ? context_->earth->lightLevel : 1.0f;
}

void FadeLight::update(float dt) {
  if (!alive()) return;
  if (delay > 0.0f) {
    delay -= dt;
    if (delay > 0.0f) return;
  }
  elapsed += dt;
  value = tweened(elapsed, start, end, duration, easing);
  if (context_->earth) context_->earth->lightLevel = value;
  if (elapsed >= duration) retire();
}

void FadeLight::message(int code) {
  if (code == kMsgTitleReady) delay = 0.0f;
  if (code == kMsgRankingGone && alive()) {
    value = end;
    if (context_->earth) context_->earth->lightLevel = end;
    retire();
  }
}

}  // namespace orb
