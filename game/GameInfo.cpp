#include "game/GameInfo.h"

#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "game/WidgetDraw.h"
#include "gfx/WidgetSet.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr const char* kBannerNames[GameInfo::kBannerCount] = {"levelup", "hurryup", "time_short",
                                                              "dobest"};
}  // namespace

GameInfo::GameInfo(GameContext* context, std::shared_ptr<const WidgetSet> widgets)
    : context_(context), widgets_(std::move(widgets)) {
  if (widgets_) {
    for (int i = 0; i < kBannerCount; ++i) banners_[i] = widgets_->get(kBannerNames[i]);
  }
  if (context_->params) {
    const picojson::value& p = json::at(context_->params->root(), "gameinfo");
    track_.load(json::at(p, "ease_in"), kEaseInCurve);
    track_.append(json::at(p, "ease_out"), kEaseOutCurve);
    delay_ = json::real(p, "delay");
  }
}

float GameInfo::offsetX() const {
  const float halfWidth = context_->screen ? context_->screen->width * 0.5f : 0.0f;
  return (halfWidth + kFlightMargin) * track_.value().x;
}

void GameInfo::show(Banner banner) {
  showing_ = banner;
  track_.restart();
}

void GameInfo::update(float dt) {
  if (pending_) {
    pendingDelay_ -= dt;
    if (pendingDelay_ <= 0.0f) {
      pending_ = false;
      show(kDoBest);
    }
  }
  if (showing_ != kNone && !track_.update(dt)) showing_ = kNone;
}

void GameInfo::draw() {
  if (showing_ == kNone) return;
  drawWidget(banners_[showing_].get(), offsetX(), 0.0f, Tint{1.0f, 1.0f, 1.0f, alpha()});
}

void GameInfo::message(int code) {
  switch (code) {
    case kMsgLevelUp:
      show(kLevelUp);
      break;
    case kMsgAnswerTimeShort:
      show(kHurryUp);
      break;
    case kMsgGameClockShort:
      show(kTimeShort);
      break;
    case kMsgDoYourBest:
      pending_ = true;
      pendingDelay_ = delay_;
      break;
    case kMsgBackToTitle:
      retire();
      break;
    default:
      break;
  }
}

}  // namespace orb
