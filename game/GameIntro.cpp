#include "game/GameIntro.h"

#include <algorithm>
#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/WidgetSet.h"
#include "task/TaskList.h"
#include "task/Messages.h"

namespace orb {

GameIntro::GameIntro(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)) {
  if (widgets_) caption_ = widgets_->get("gameintro");
  if (!context_->demonstration && context_->params) {
    const picojson::value& p = json::at(context_->params->root(), "gameintro");
    delay_ = std::max(0.0f, json::real(p, "delay"));
    frame_ = std::max(0.0f, json::real(p, "frame"));
    fade_ = std::max(0.0f, json::real(p, "fade"));
  }
}

bool GameIntro::showing() const { return alive() && time_ >= delay_ && time_ < delay_ + frame_; }

float GameIntro::alpha() const {
  if (!showing()) return 0.0f;
  if (fade_ <= 0.0f) return 1.0f;
  const float in = (time_ - delay_) / fade_;
  const float out = (delay_ + frame_ - time_) / fade_;
  return std::clamp(std::min(in, out), 0.0f, 1.0f);
}

void GameIntro::update(float dt) {
  if (!alive()) return;
  time_ += dt;
  if (time_ >= delay_ + frame_) {
    retire();
    context_->tasks->broadcast(kMsgIntroDone);  // intro over: start banner
  }
}

void GameIntro::draw() {
  if (!showing()) return;
  drawWidget(caption_.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, alpha()});
}

}  // namespace orb
