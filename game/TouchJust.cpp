#include "game/TouchJust.h"

#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/WidgetSet.h"
#include "task/Messages.h"

namespace orb {

TouchJust::TouchJust(GameContext* context, std::shared_ptr<const WidgetSet> widgets, int streak)
    : context_(context), widgets_(std::move(widgets)), streak_(streak) {
  if (widgets_) {
    banner_ = widgets_->get("just");
    mark_ = widgets_->get("just_x");
  }
  if (context_->params) {
    const picojson::value& p = json::at(context_->params->root(), "just");
    track_.load(json::at(p, "easing"), kEasing);
    const picojson::value& ofs = json::at(p, "num_ofs");
    numX_ = json::realAt(ofs, 0);
    numY_ = json::realAt(ofs, 1);
  }
  track_.restart();
}

void TouchJust::update(float dt) {
  if (!track_.update(dt)) retire();
}

void TouchJust::draw() {
  const float dx = track_.value().x;
  const float alpha = track_.value().y;
  const Tint tint{1.0f, 1.0f, 1.0f, alpha};
  drawWidget(banner_.get(), dx, 0.0f, tint);
  if (!showsStreak() || !mark_) return;
  drawWidget(mark_.get(), dx, 0.0f, tint);
  const Vec2<float> at = widgetAnchor(*mark_) + Vec2<float>(dx + numX_, numY_);
  drawSmallNumber(streak_, streakDigits(), at, 1.0f, 1.0f, 1.0f, alpha, mark_->texture);
}

void TouchJust::message(int code) {
  if (code == kMsgBackToTitle) retire();
}

}  // namespace orb
