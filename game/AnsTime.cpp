#include "game/AnsTime.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/Easing.h"
#include "gfx/GrpFan.h"
#include "gfx/MathConstants.h"
#include "gfx/WidgetSet.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr float kSlideX = 200.0f;         // off to the right
constexpr float kSlideInTime = 1.0f;      // seconds
constexpr float kSlideOutTime = 1.0f;
constexpr float kRefillAfterCorrect = 0.5f;
constexpr float kRefillAfterTimeout = 1.0f;
constexpr int kRefillEasing = 11;          // cubic out
constexpr float kDangerSweep = kHalfPi;    // a quarter of the face
constexpr float kSegmentsPerTurn = 32.0f;
}  // namespace

AnsTime::AnsTime(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)), sweep_(kTwoPi), palette_(context->settings) {
  if (widgets_) face_ = widgets_->get("ans_time");
  slide_.start({kSlideX, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, kSlideInTime);
}

bool AnsTime::danger() const { return questionOpen_ && sweep_ < kDangerSweep; }

void AnsTime::startRefill(float duration) {
  following_ = false;
  questionOpen_ = false;
  refilling_ = true;
  refillElapsed_ = 0.0f;
  refillFrom_ = sweep_;
  refillDuration_ = duration;
}

void AnsTime::update(float dt) {
  if (!slide_.update(dt)) retire();
  if (following_ && context_->answerTime > 0.0f) {
    sweep_ = kTwoPi * std::max(0.0f, context_->answerClock / context_->answerTime);
  }
  if (refilling_) {
    refillElapsed_ += dt;
    tween(sweep_, refillElapsed_, refillFrom_, kTwoPi, refillDuration_, kRefillEasing);
    if (refillElapsed_ >= refillDuration_) refilling_ = false;
  }
}

void AnsTime::draw() {
  if (!face_) return;
  const FeedbackPalette::Rgb face = danger() ? palette_.danger() : FeedbackPalette::Rgb{1.0f, 1.0f, 1.0f};
  const Tint tint{face.r, face.g, face.b, slide_.alpha()};
  drawWidget(face_.get(), slide_.x(), slide_.y(), tint);
  if (sweep_ <= 0.0f) return;
  const Vec2<float> anchor = widgetAnchor(*face_);
  GrpFan pie;
  pie.x = anchor.x + slide_.x() + kPieCentreX;
  pie.y = anchor.y + slide_.y() + kPieCentreY;
  pie.radiusX = pie.radiusY = kPieRadius;
  pie.srcX0 = kCentreTexelX;
  pie.srcY0 = kCentreTexelY;
  pie.srcX1 = kRimTexelX;
  pie.srcY1 = kRimTexelY;
  pie.filled = true;
  pie.textured = true;
  pie.smooth = true;
  pie.texture = face_->texture;
  pie.sweep = sweep_;
  pie.segments = std::max(2, static_cast<int>(std::floor(sweep_ * kSegmentsPerTurn / kTwoPi)));
  pie.r = tint.r;
  pie.g = tint.g;
  pie.b = tint.b;
  pie.a = tint.a;
  pie.draw();
}

void AnsTime::message(int code) {
  switch (code) {
    case kMsgTapsOn:
      following_ = true;
      questionOpen_ = true;
      refilling_ = false;
      break;
    case kMsgCorrect:
      startRefill(kRefillAfterCorrect);
      break;
    case kMsgTimeOut:
      startRefill(kRefillAfterTimeout);
      break;
    case kMsgGameEnding:
      following_ = false;
      questionOpen_ = false;
      refilling_ = false;
      break;
    case kMsgHudLeave:
      slide_.leave({kSlideX, 0.0f, 0.0f}, kSlideOutTime);
      break;
    case kMsgBackToTitle:
      retire();
      break;
    default:
      break;
  }
}

}  // namespace orb
