#include "globe/FadeLight.h"

#include "game/GameContext.h"
#include "gfx/Easing.h"
#include "globe/EarthModel.h"

namespace orb {
namespace {

constexpr int kMsgStartNow = 32;
constexpr int kMsgJumpToEnd = 48;

}  // namespace

FadeLight::FadeLight(GameContext* context) : context_(context) {
  start = value = context_->earth ? context_->earth->lightLevel : 1.0f;
}

void FadeLight::update(float dt) {
  if (!alive_) return;
  if (delay > 0.0f) {
    delay -= dt;
    if (delay > 0.0f) return;
  }
  elapsed += dt;
  value = tweened(elapsed, start, end, duration, easing);
  if (context_->earth) context_->earth->lightLevel = value;
  if (elapsed >= duration) alive_ = false;
}

void FadeLight::message(int code) {
  if (code == kMsgStartNow) delay = 0.0f;
  if (code == kMsgJumpToEnd && alive_) {
    value = end;
    if (context_->earth) context_->earth->lightLevel = end;
    alive_ = false;
  }
}

}  // namespace orb
