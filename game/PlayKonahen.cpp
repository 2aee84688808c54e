#include "game/PlayKonahen.h"

#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/WidgetSet.h"

namespace orb {
namespace {
constexpr float kSlideInX = -150.0f;
constexpr float kSlideOutX = -220.0f;
constexpr float kSlideInTime = 1.0f;
constexpr float kSlideOutTime = 1.5f;
constexpr int kDigits = 3;
}  // namespace

PlayKonahen::PlayKonahen(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)) {
  if (widgets_) panel_ = widgets_->get("konahen");
  if (context_->params) {
    const picojson::value& ofs = json::at(json::at(context_->params->root(), "playkonahen"), "num_ofs");
    numX_ = json::realAt(ofs, 0);
    numY_ = json::realAt(ofs, 1);
  }
  slide_.start({kSlideInX, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, kSlideInTime);
}

int PlayKonahen::shownValue() const { return context_->correctCount; }

void PlayKonahen::update(float dt) {
  slide_.update(dt);
  if (closing_ && slide_.finished()) alive_ = false;
}

void PlayKonahen::draw() {
  if (!panel_) return;
  const Tint white{};
  drawWidget(panel_.get(), slide_.x(), slide_.y(), white);
  const Vec2<float> at = widgetAnchor(*panel_) + Vec2<float>(slide_.x() + numX_, slide_.y() + numY_);
  drawLargeNumber(shownValue(), kDigits, at, 1.0f, 1.0f, 1.0f, 1.0f, panel_->texture);
}

void PlayKonahen::message(int code) {
  if (code == 25 && !closing_) {  // game-over banner done: leave
    closing_ = true;
    slide_.start(slide_.value(), {kSlideOutX, 0.0f, 1.0f}, kSlideOutTime);
  } else if (code == 12) {
    alive_ = false;
  }
}

}  // namespace orb
