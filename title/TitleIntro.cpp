#include "title/TitleIntro.h"

#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/WidgetDraw.h"
#include "gfx/Easing.h"
#include "gfx/WidgetSet.h"
#include "globe/GameContext.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {

TitleIntro::TitleIntro(GameContext* context) : ctx_(context) {
  const picojson::value& title = json::at(context->params->root(), "title");
  WidgetSet set(json::at(title, "intro_widgets"), *context->textures, *context->dataDir,
                context->screen->pair);
  for (std::size_t i = 0; i < widgets_.size(); ++i) widgets_[i] = set.get("intro_" + std::to_string(i + 1));
  buildTrack(kEaseLinear, json::at(title, "intro_easing"), track_, false);
  delay_ = json::real(title, "intro_delay");
  // Read once: the first run stays unskippable even after 44 clears the flag.
  firstRun_ = context->settings && context->settings->getFlag("firstexec");
  if (ctx_->touch) ctx_->touch->add(this);
}

TitleIntro::~TitleIntro() {
  if (ctx_->touch) ctx_->touch->remove(this);
}

void TitleIntro::update(float dt) {
  if (!alive()) return;
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  clock_ += dt;
  const bool running = evaluateTrack(track_, value_, clock_);
  if (running && !skip_) return;
  retire();
  ctx_->tasks->broadcast(kMsgTitleIntroDone);
  if (skip_) ctx_->tasks->broadcast(kMsgTitleReady);
}

void TitleIntro::draw() {
  if (!shown() || !alive()) return;
  for (std::size_t i = 0; i < widgets_.size(); ++i) {
    drawWidget(widgets_[i].get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, i == 0 ? value_.x : value_.y});
  }
}

void TitleIntro::message(int code) {
  if (code == kMsgTitleOpening) retire();
}

void TitleIntro::touchesEnded(TouchDispatcher&, const Touches&) {
  if (alive() && shown() && !firstRun_) skip_ = true;
}

}  // namespace orb
