#include "title/Operate.h"

#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/WidgetDraw.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/MathConstants.h"
#include "gfx/WidgetSet.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {
namespace {

constexpr float kSlideFrom = 150.0f;
constexpr float kSlideTime = 0.8f;
constexpr float kFlashTime = 0.25f;
constexpr float kTapFlashTime = 0.5f;
constexpr float kArrowTime = 0.25f;
// A turn slower than this (radians per second) is the globe drifting, not the player.
constexpr float kTurnRate = 0.15707964f;
constexpr float kWiggleRate = 1.5f;
constexpr float kWiggleSize = 5.0f;

}  // namespace

void Operate::Flash::update(float dt) {
  if (clock >= duration) return;
  clock += dt;
  value = tweened(clock, 0.0f, 1.0f, duration, kEaseLinear);
}

Operate::Operate(GameContext* context) : ctx_(context) {
  const picojson::value& title = json::at(ctx_->params->root(), "title");
  const WidgetSet widgets(json::at(title, "operate_widgets"), *ctx_->textures, *ctx_->dataDir,
                          ctx_->screen->pair);
  auto pick = [&widgets](const char* name) { return widgets.has(name) ? widgets.get(name) : nullptr; };
  body_ = pick("body");
  cable_ = pick("cable");
  buttonL_ = pick("btn_l");
  buttonR_ = pick("btn_r");
  moveL_ = pick("move_l");
  moveR_ = pick("move_r");
  x_ = json::real(title, "operate_x");
  y_ = json::real(title, "operate_y");
  slide_ = kSlideFrom;
  if (ctx_->camera) {
    lastOrientation_ = ctx_->camera->orientation;
    lastDistance_ = ctx_->camera->distance;
  }
}

void Operate::startArrows() {
  arrowsRunning_ = true;
  arrowClock_ = 0;
  arrowAlpha_ = 1;
}

void Operate::update(float dt) {
  if (!ready_) {
    slideClock_ += dt;
    slide_ = tweened(slideClock_, kSlideFrom, 0.0f, kSlideTime, kEaseQuartOut);
    ready_ = slideClock_ >= kSlideTime;
  }
  if (ctx_->camera) {
    const Quat& q = ctx_->camera->orientation;
    const Quat& p = lastOrientation_;
    if (q.x != p.x || q.y != p.y || q.z != p.z || q.w != p.w) {
      float dot = q.x * p.x + q.y * p.y + q.z * p.z + q.w * p.w;
      if (dot < -1.0f || dot > 1.0f) dot = 1.0f;
      const float angle = std::acos(std::fabs(dot));
      if (ready_ && angle > dt * kTurnRate) {
        left_.start(kFlashTime);
        startArrows();
      }
      lastOrientation_ = q;
    }
    const float distance = ctx_->camera->distance;
    if (distance != lastDistance_) {
      if (ready_) {
        right_.start(kFlashTime);
        startArrows();
      }
      lastDistance_ = distance;
    }
  }
  left_.update(dt);
  right_.update(dt);
  if (arrowsRunning_) {
    arrowClock_ += dt;
    wiggleClock_ += dt;
    arrowAlpha_ = tweened(arrowClock_, 1.0f, 0.0f, kArrowTime, kEaseLinear);
    wiggle_ = std::fabs(std::sin(wiggleClock_ * kPi * kWiggleRate) * kWiggleSize);
    if (arrowClock_ >= kArrowTime) arrowsRunning_ = false;
  }
}

void Operate::message(int code) {
  if (code == kMsgGlobeTapped && ready_) left_.start(kTapFlashTime);
  if (code == kMsgDemoEnded) retire();
}

void Operate::draw() {
  const float dx = slide_ + x_;
  const Tint white;
  drawWidget(body_.get(), dx, y_, white);
  drawWidget(buttonL_.get(), dx, y_, Tint{1.0f, left_.value, left_.value, 1.0f});
  drawWidget(buttonR_.get(), dx, y_, Tint{1.0f, right_.value, right_.value, 1.0f});
  drawWidget(moveL_.get(), dx + wiggle_, y_, Tint{1.0f, 1.0f, 1.0f, arrowAlpha_});
  drawWidget(moveR_.get(), dx - wiggle_, y_, Tint{1.0f, 1.0f, 1.0f, arrowAlpha_});
  drawWidget(cable_.get(), dx, y_, white);
}

}  // namespace orb
