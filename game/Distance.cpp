#include "game/Distance.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/Easing.h"
#include "gfx/WidgetSet.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr float kSlideInTime = 0.8f;
constexpr float kSlideOutTime = 1.25f;
constexpr int kCountEasing = 23;  // quart out
}  // namespace

Distance::Distance(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)) {
  if (widgets_) {
    label_ = widgets_->get("distance");
    miles_ = context_->settings && context_->settings->getFlag("miles") && widgets_->has("mi");
    km_ = widgets_->get(miles_ ? "mi" : "km");
    up_ = widgets_->get("up");
    down_ = widgets_->get("down");
  }
  if (context_->params) {
    const picojson::value& p = json::at(context_->params->root(), "distance");
    ofsX_ = json::real(p, "ofs_x");
    numX_ = json::real(p, "num_x");
    numY_ = json::real(p, "num_y");
    countTime_ = json::real(p, "dist_time");
  }
  slide_.start({ofsX_, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, kSlideInTime);
}

float Distance::angleBetween(const Vec3& a, const Vec3& b) {
  const float la = a.length(), lb = b.length();
  if (!(la > 0.0f) || !(lb > 0.0f)) return 0.0f;
  const float c = a.dot(b) / (la * lb);
  if (c >= 1.0f) return 0.0f;
  return std::acos(std::max(-1.0f, c));
}

float Distance::measure(const Vec3& from, const std::vector<Vec3>& points) {
  float best = kFarAway;
  for (const Vec3& p : points) best = std::min(best, angleBetween(from, p) * kEarthRadiusKm);
  return best;
}

float Distance::arrowLift() const {
  const float bob = std::fabs(kBobHeight * std::sin(kBobSpeed * arrowClock_));
  return closer_ ? bob : -bob;
}

void Distance::countTo(float km) {
  countFrom_ = shown_;
  countTo_ = km;
  countElapsed_ = 0.0f;
  counting_ = true;
}

void Distance::update(float dt) {
  if (!slide_.update(dt)) retire();
  if (counting_) {
    countElapsed_ += dt;
    tween(shown_, countElapsed_, countFrom_, countTo_, countTime_, kCountEasing);
    if (countElapsed_ >= countTime_) counting_ = false;
  }
  if (arrow_) arrowClock_ += dt;
}

void Distance::draw() {
  const Tint white{};
  drawWidget(label_.get(), slide_.x(), slide_.y(), white);
  if (!km_) return;
  drawWidget(km_.get(), slide_.x(), slide_.y(), white);
  const Vec2<float> at = widgetAnchor(*km_) + Vec2<float>(slide_.x() + numX_, slide_.y() + numY_);
  const float value = miles_ ? shown_ / kKmPerMile : shown_;
  drawSmallNumber(static_cast<int>(std::max(0.0f, value)), kDigits, at, 1.0f, 1.0f, 1.0f, 1.0f,
                  km_->texture);
  if (arrow_) {
    // y grows downward on screen: lifting means subtracting.
    drawWidget(closer_ ? up_.get() : down_.get(), slide_.x(), slide_.y() - arrowLift(), white);
  }
}

void Distance::message(int code) {
  switch (code) {
    case kMsgNewQuestion:  // how far the last tap was from the new place
      if (!first_) countTo(measure(context_->touchPoint, context_->answerPoints));
      arrow_ = false;
      break;
    case kMsgCorrect:
      countTo(0.0f);
      arrow_ = false;
      first_ = false;
      break;
    case kMsgMiss: {
      const float d = measure(context_->touchPoint, context_->answerPoints);
      closer_ = shown_ > d;
      arrow_ = !first_;
      countTo(d);
      arrowClock_ = 0.0f;
      first_ = false;
      break;
    }
    case kMsgTimeOut:
      first_ = false;
      break;
    case kMsgHudLeave:
      slide_.leave({ofsX_, 0.0f, 1.0f}, kSlideOutTime);
      break;
    case kMsgBackToTitle:
      retire();
      break;
    default:
      break;
  }
}

}  // namespace orb
