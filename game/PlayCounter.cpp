#include "game/PlayCounter.h"

#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/WidgetSet.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr float kSlideOutX = -220.0f;
constexpr float kSlideInTime = 1.0f;
constexpr float kSlideOutTime = 1.5f;
}  // namespace

PlayCounter::PlayCounter(GameContext* context, std::shared_ptr<const WidgetSet> widgets, const Look& look)
    : context_(context), widgets_(std::move(widgets)), digits_(look.digits) {
  if (widgets_) panel_ = widgets_->get(look.widget);
  if (context_->params) {
    const picojson::value& ofs = json::at(json::at(context_->params->root(), look.section), "num_ofs");
    numX_ = json::realAt(ofs, 0);
    numY_ = json::realAt(ofs, 1);
  }
  slide_.start({look.slideInX, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, kSlideInTime);
}

void PlayCounter::update(float dt) {
  if (!slide_.update(dt)) retire();
}

void PlayCounter::draw() {
  if (!panel_) return;
  const Tint white{};
  drawWidget(panel_.get(), slide_.x(), slide_.y(), white);
  const Vec2<float> at = widgetAnchor(*panel_) + Vec2<float>(slide_.x() + numX_, slide_.y() + numY_);
  drawLargeNumber(shownValue(), digits_, at, 1.0f, 1.0f, 1.0f, 1.0f, panel_->texture);
}

void PlayCounter::message(int code) {
  if (code == kMsgHudLeave) {  // game-over banner done: leave
    slide_.leave({kSlideOutX, 0.0f, 1.0f}, kSlideOutTime);
  } else if (code == kMsgBackToTitle) {
    retire();
  }
}

}  // namespace orb
