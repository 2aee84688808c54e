#include "game/GameStart.h"

#include <utility>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/WidgetSet.h"
#include "task/TaskList.h"
#include "task/Messages.h"

namespace orb {

GameStart::GameStart(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)) {
  if (widgets_) banner_ = widgets_->get("gamestart");
  if (context_->params) {
    track_.load(json::at(json::at(context_->params->root(), "gamestart"), "easing"), kEasing);
  }
  if (context_->demonstration) {
    track_.restart(kDemoSkip);
  } else {
    track_.restart();
    if (context_->sound) context_->sound->play("gamestart", 1.0f, 0.0f);
  }
}

void GameStart::update(float dt) {
  if (!alive()) return;
  if (!track_.update(dt)) {
    retire();
    context_->tasks->broadcast(kMsgQuestionsBegin);  // questions begin
  }
}

void GameStart::draw() {
  drawWidget(banner_.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, track_.value().y},
             track_.value().x);
}

}  // namespace orb
