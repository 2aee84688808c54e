#include "game/CorrectRate.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/Easing.h"
#include "gfx/TextureCache.h"
#include "gfx/Widget.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {
namespace {

constexpr const char* kDigitAtlas = "devdata/game.png";
// Where the glyphs after the three integer digits sit, from the number's left
// edge: the separator tucks into the third digit's cell, as a decimal point should.
constexpr float kSeparatorX = 61.0f;
constexpr float kTenthsX = 78.0f;
constexpr float kPercentX = 100.0f;
constexpr int kSeparatorGlyph = 10;
constexpr int kPercentGlyph = 13;

}  // namespace

CorrectRate::CorrectRate(GameContext* context) : context_(context) {
  assert(context_->params && context_->settings && context_->textures && context_->dataDir);
  const picojson::value& p = json::at(context_->params->root(), "title");
  widgets_ = WidgetSet(json::at(p, "correct_widgets"), *context_->textures, *context_->dataDir,
                       context_->screen ? context_->screen->pair : nullptr);
  panel_ = widgets_.get("correct");
  digits_ = context_->textures->getTexture(*context_->dataDir + kDigitAtlas);
  delay_ = json::real(p, "correct_delay");
  away_ = {json::real(p, "correct_ofs_x"), json::real(p, "correct_ofs_y")};
  offset_ = from_ = away_;
  to_ = {0.0f, 0.0f};
  slideTime_ = json::real(p, "correct_ease");
  number_ = {json::real(p, "correct_num_x"), json::real(p, "correct_num_y")};
  countTime_ = json::real(p, "correct_time");
  const float rate = context_->settings->correctRate();
  target_ = std::isfinite(rate) ? std::clamp(rate, 0.0f, 1.0f) * 100.0f : 0.0f;
}

int CorrectRate::shownTenths() const { return static_cast<int>(std::lround(shown_ * 10.0f)); }

void CorrectRate::slideTo(const Vec2<float>& to) {
  from_ = offset_;
  to_ = to;
  slideClock_ = 0.0f;
}

void CorrectRate::update(float dt) {
  if (!alive()) return;
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  if (slideClock_ < slideTime_) slideClock_ = std::min(slideClock_ + dt, slideTime_);
  if (slideTime_ > 0.0f) {
    tween2(offset_, slideClock_, from_, to_, slideTime_, closing_ ? kEaseQuartIn : kEaseQuartOut);
  } else {
    offset_ = to_;
  }
  if (countClock_ < countTime_) countClock_ = std::min(countClock_ + dt, countTime_);
  shown_ = countTime_ > 0.0f ? tweened(countClock_, 0.0f, target_, countTime_, kEaseQuartOut) : target_;
  if (closing_ && slideClock_ >= slideTime_) retire();
}

void CorrectRate::draw() {
  if (!alive() || delay_ > 0.0f || !panel_) return;
  drawWidget(panel_.get(), offset_.x, offset_.y, Tint{});
  const Vec2<float> at = widgetAnchor(*panel_) + offset_ + number_;
  const int tenths = shownTenths();
  drawSmallNumber(tenths / 10, 3, at, 1.0f, 1.0f, 1.0f, 1.0f, digits_);
  drawSmallNumber(kSeparatorGlyph, 1, {at.x + kSeparatorX, at.y}, 1.0f, 1.0f, 1.0f, 1.0f, digits_);
  drawSmallNumber(tenths % 10, 1, {at.x + kTenthsX, at.y}, 1.0f, 1.0f, 1.0f, 1.0f, digits_);
  drawSmallNumber(kPercentGlyph, 1, {at.x + kPercentX, at.y}, 1.0f, 1.0f, 1.0f, 1.0f, digits_);
}

void CorrectRate::message(int code) {
  switch (code) {
    case kMsgTitleReady:
      delay_ = 0.0f;
      slideClock_ = slideTime_;
      offset_ = to_;
      break;
    case kMsgCreditsTapped:
    case kMsgModeChosen:
    case kMsgTitleOpening:
      if (closing_) break;
      closing_ = true;
      delay_ = 0.0f;
      slideTo(away_);
      break;
    default:
      break;
  }
}

}  // namespace orb
