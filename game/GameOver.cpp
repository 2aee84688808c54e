#include "game/GameOver.h"

#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/WidgetSet.h"
#include "task/TaskList.h"
#include "task/Messages.h"

namespace orb {

GameOver::GameOver(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)) {
  if (widgets_) banner_ = widgets_->get("gameover");
  if (context_->params) {
    track_.load(json::at(json::at(context_->params->root(), "gameover"), "easing"), kEasing);
  }
  track_.restart();
}

void GameOver::update(float dt) {
  if (!alive()) return;
  if (!track_.update(dt)) {
    retire();
    context_->tasks->broadcast(kMsgHudLeave);  // HUD leaves
    context_->tasks->broadcast(kMsgGameOverDone);  // results
  }
}

void GameOver::draw() {
  drawWidget(banner_.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, track_.value().y},
             track_.value().x);
}

}  // namespace orb
