#include "game/PlayTime.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Digits.h"
#include "gfx/Easing.h"
#include "gfx/WidgetSet.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr float kSlideX = -220.0f;
constexpr float kSlideInTime = 1.0f;
constexpr float kSlideOutTime = 1.5f;
constexpr int kCountEasing = 11;   // cubic out
constexpr int kPulseEasing = 28;   // sine in
constexpr float kPulseHigh = 1.0f;
constexpr float kPulseLow = 0.5f;
}  // namespace

PlayTime::PlayTime(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)), palette_(context->settings) {
  if (widgets_) panel_ = widgets_->get("timeremain");
  if (context_->params) {
    const picojson::value& ofs = json::at(json::at(context_->params->root(), "playtime"), "num_ofs");
    numX_ = json::realAt(ofs, 0);
    numY_ = json::realAt(ofs, 1);
  }
  slide_.start({kSlideX, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, kSlideInTime);
}

void PlayTime::update(float dt) {
  if (!slide_.update(dt)) retire();
  const float clock = context_->gameClock;
  if (countElapsed_ < kSlideInTime) {
    countElapsed_ += dt;
    tween(shown_, countElapsed_, 0.0f, clock, kSlideInTime, kCountEasing);
  } else {
    shown_ = clock;
  }
  if (!frozen_) {
    if (context_->questionShown && clock < kWarnBelow) {
      // The pulse restarts as each whole second begins, in step with the tick.
      const float intoSecond = std::floor(clock) + 1.0f - clock;
      float red = kPulseHigh;
      tween(red, intoSecond, kPulseHigh, kPulseLow, 1.0f, kPulseEasing);
      const FeedbackPalette::Rgb danger = palette_.danger();
      colour_ = Tint{red * danger.r, red * danger.g, red * danger.b, 1.0f};
    } else {
      colour_ = Tint{};
    }
  }
}

void PlayTime::draw() {
  if (!panel_) return;
  drawWidget(panel_.get(), slide_.x(), slide_.y(), Tint{});
  const float clock = std::max(0.0f, shown_);
  const int seconds = static_cast<int>(clock);
  const int hundredths = static_cast<int>(std::floor(clock * 100.0f)) % 100;
  const Vec2<float> at = widgetAnchor(*panel_) + Vec2<float>(slide_.x() + numX_, slide_.y() + numY_);
  const Tint& c = colour_;
  drawLargeNumber(seconds, 2, at, c.r, c.g, c.b, c.a, panel_->texture);
  const Vec2<float> sep = at + Vec2<float>(kSeparatorX, 0.0f);
  drawDigit(kSeparatorGlyph, sep, kLargeDigits.glyph, kLargeDigits.origin, c.r, c.g, c.b, c.a,
            panel_->texture);
  drawSmallNumber(hundredths, 2, sep + Vec2<float>(kHundredthsX, kHundredthsY), c.r, c.g, c.b, c.a,
                  panel_->texture);
}

void PlayTime::message(int code) {
  switch (code) {
    case kMsgLevelUp:  // level up: the bonus may lift the clock out of the warning
      if (context_->gameClock >= kWarnBelow) colour_ = Tint{};
      break;
    case kMsgGameEnding:
      frozen_ = true;
      break;
    case kMsgHudLeave:
      slide_.leave({kSlideX, 0.0f, 1.0f}, kSlideOutTime);
      break;
    case kMsgBackToTitle:
      retire();
      break;
    default:
      break;
  }
}

}  // namespace orb
