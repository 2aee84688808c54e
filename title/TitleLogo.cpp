#include "title/TitleLogo.h"

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/WidgetDraw.h"
#include "gfx/Easing.h"
#include "gfx/Widget.h"
#include "gfx/WidgetSet.h"
#include "globe/GameContext.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {

TitleLogo::TitleLogo(GameContext* context)
    : ctx_(context), params_(json::at(context->params->root(), "title")) {
  WidgetSet set(json::at(params_, "logo_widgets"), *context->textures, *context->dataDir,
                context->screen->pair);
  glob_ = set.get("glob");
  aro_ = set.get("aro");
  globKana_ = set.get("glob_kana");
  aroKana_ = set.get("aro_kana");
  orb_ = set.get("orb");
  buildTrack(kEaseCubicOut, json::at(params_, "logo_easing"), track1_, false);
  buildSingleTrack(kEaseCubicOut, json::at(params_, "logo2_easing"), track2_);
  delay_ = json::real(params_, "logo_delay");
  firstRun_ = context->settings && context->settings->getFlag("firstexec");
  if (ctx_->touch) ctx_->touch->add(this);
}

TitleLogo::~TitleLogo() {
  if (ctx_->touch) ctx_->touch->remove(this);
}

void TitleLogo::buildSingleTrack(int easing, const picojson::value& keys, KeyframeTrack& track) {
  picojson::array pairs;
  for (const picojson::value& seg : json::array(keys)) {
    if (json::size(seg) < 3) continue;
    pairs.emplace_back(picojson::array{json::element(seg, 0), picojson::value(0.0), json::element(seg, 1),
                                       picojson::value(0.0), json::element(seg, 2)});
  }
  buildTrack(easing, picojson::value(pairs), track, false);
}

void TitleLogo::close(const char* mainKey, int mainEasing, const char* subKey) {
  if (closing_) return;
  closing_ = true;
  clock_ = 0.0f;
  delay_ = 0.0f;
  buildTrack(mainEasing, json::at(params_, mainKey), track1_, false);
  buildSingleTrack(kEaseCubicOut, json::at(params_, subKey), track2_);
}

void TitleLogo::update(float dt) {
  if (!alive()) return;
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  clock_ += dt;
  const bool running1 = evaluateTrack(track1_, main_, clock_);
  const bool running2 = evaluateTrack(track2_, sub_, clock_);
  if (closing_) {
    if (!running1 && !running2) retire();
    return;
  }
  if (skip_ && (running1 || running2)) {
    skip_ = false;
    ctx_->tasks->broadcast(kMsgTitleReady);
  }
}

void TitleLogo::draw() {
  if (!shown() || !alive()) return;
  const float width = static_cast<float>(ctx_->screen->width);
  const Tint halves{1.0f, 1.0f, 1.0f, main_.y};
  if (glob_) drawWidget(glob_.get(), -(width / 2 + glob_->width / 2) * main_.x, 0.0f, halves);
  if (aro_) drawWidget(aro_.get(), (width / 2 + aro_->width / 2) * main_.x, 0.0f, halves);
  const Tint rest{1.0f, 1.0f, 1.0f, sub_.x};
  drawWidget(globKana_.get(), 0.0f, 0.0f, rest);
  drawWidget(aroKana_.get(), 0.0f, 0.0f, rest);
  drawWidget(orb_.get(), 0.0f, 0.0f, rest);
}

void TitleLogo::message(int code) {
  switch (code) {
    case kMsgTitleReady:
      if (!closing_) {
        delay_ = 0.0f;
        clock_ = 100.0f;
      }
      break;
    case kMsgCreditsTapped:
    case kMsgTitleOpening:
      close("logo_end_easing", kEaseCubicIn, "logo2_end_easing");
      break;
    case kMsgModeChosen:
      close("logo_start_easing", kEaseCubicIn, "logo2_start_easing");
      break;
    default:
      break;
  }
}

void TitleLogo::touchesEnded(TouchDispatcher&, const Touches&) {
  if (alive() && shown() && !firstRun_ && !closing_) skip_ = true;
}

}  // namespace orb
