#include "game/DrillMain.h"

#include <algorithm>
#include <map>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/Agree.h"
#include "game/Distance.h"
#include "game/Konahen.h"
#include "game/LearnExit.h"
#include "game/MapCoords.h"
#include "game/MasteryRecord.h"
#include "game/PlaceDisp.h"
#include "game/PlaceOutline.h"
#include "game/PlaceParams.h"
#include "game/PlaceStats.h"
#include "gfx/Easing.h"
#include "gfx/WidgetSet.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr float kSpinStopTime = 2.0f;          // seconds for the globe to stand still
constexpr float kAnswerViewDistance = 1950.0f;  // as near as a game's time-out flies

// Every askable place, easiest first: by "level", then in key order, so a
// player with no statistics yet starts with the first level's places.
std::vector<std::string> askablePlaces(const picojson::value& places) {
  std::multimap<double, std::string> byLevel;
  for (const auto& [key, entry] : json::object(places)) {
    if (!json::at(entry, "name").is<std::string>() || !json::at(entry, "file").is<std::string>()) continue;
    byLevel.emplace(json::number(json::at(entry, "level")), key);
  }
  std::vector<std::string> keys;
  for (const auto& [level, key] : byLevel) keys.push_back(key);
  return keys;
}

}  // namespace

DrillMain::DrillMain(GameContext* context)
    : ctx_(context), places_(context->places->root(), *context->dataDir) {
  GameContext& ctx = *ctx_;
  SceneTrace::enter("drill");
  const picojson::value& game = json::at(ctx.params->root(), "game");
  touchRadius_ = PlaceParams(game, kModeNormal).touchRadius();
  const picojson::value& disp = json::at(ctx.params->root(), "placedisp");
  correctPause_ = json::real(disp, "correct_disp");
  revealPause_ = json::real(disp, "miss_disp");

  order_ = askablePlaces(ctx.places->root());
  if (ctx.settings) order_ = PlaceStats(ctx.settings->root()).weakestFirst(order_);

  widgets_ = std::make_shared<const WidgetSet>(json::at(game, "widgets"), *ctx.textures, *ctx.dataDir,
                                               ctx.screen->pair);
  ctx.tasks->create<MasteryRecord>(kLayerLogic, ctx_);
  ctx.tasks->create<Konahen>(kLayerOverlay3D, ctx_);
  outline_ = ctx.tasks->create<PlaceOutline>(kLayerOverlay3D, ctx_);
  ctx.tasks->create<Distance>(kLayerScreen, ctx_, widgets_);
  ctx.tasks->create<PlaceDisp>(kLayerScreen, ctx_);
  ctx.tasks->create<Agree>(kLayerScreen, ctx_);
  if (ctx.earth) ctx.earth->startSpinTween(0.0f, kSpinStopTime, kEaseCircIn);
  ctx.tasks->broadcast(kMsgControlOn);
  ctx.tasks->broadcast(kMsgFreeTurning);
  ctx.tasks->broadcast(kMsgGameCreated);  // the clouds thin out, as for a game
  ctx.tasks->broadcast(kMsgQuestionsBegin);
  nextDelay_ = kFirstDelay;
}

DrillMain::~DrillMain() = default;

void DrillMain::ask() {
  if (order_.empty()) return;
  GameContext& ctx = *ctx_;
  if (next_ >= order_.size()) next_ = 0;  // every place asked: round again
  current_ = order_[next_++];
  place_ = places_.loadPlace(current_, touchRadius_, ctx);
  outline_->fadeOut();  // the last answer gives way to the new question
  misses_ = 0;
  open_ = true;
  if (ctx.sound) ctx.sound->play("question", 1.0f, 0.05f);
  ctx.tasks->broadcast(kMsgNewQuestion);
  ctx.tasks->broadcast(kMsgControlOn);
  ctx.tasks->broadcast(kMsgTapsOn);
}

void DrillMain::judgeTap() {
  if (!open_ || !place_) return;
  GameContext& ctx = *ctx_;
  if (place_->hitTest(mapFromGlobe(ctx.touchPoint))) {
    ctx.tasks->broadcast(kMsgTapsOff);
    ctx.tasks->broadcast(kMsgCorrect);
    outline_->flash(*place_);
    if (ctx.sound) ctx.sound->play(misses_ > 0 ? "touch_in" : "touch_just", 1.0f, 0.0f);
    open_ = false;
    nextDelay_ = correctPause_;
    return;
  }
  ctx.tasks->broadcast(kMsgMiss);
  if (ctx.sound) ctx.sound->play("touch_out", 1.0f, 0.0f);
  outline_->reveal(*place_, revealPause_);
  if (++misses_ >= kRevealAfter) reveal();
}

void DrillMain::reveal() {
  GameContext& ctx = *ctx_;
  open_ = false;
  ctx.tasks->broadcast(kMsgTapsOff);
  if (!ctx.answerPoints.empty()) ctx.touchPoint = ctx.answerPoints.front();
  ctx.tasks->broadcast(kMsgTimeOut);
  flyOver(ctx, ctx.touchPoint, kRevealFlight, kAnswerViewDistance);
  // Asked again soon, while the answer is fresh.
  order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(std::min(next_ + kRequeueGap, order_.size())),
                current_);
  nextDelay_ = revealPause_;
}

void DrillMain::update(float dt) {
  if (leaving_ || nextDelay_ <= 0.0f) return;
  nextDelay_ -= dt;
  if (nextDelay_ <= 0.0f) ask();
}

void DrillMain::message(int code) {
  switch (code) {
    case kMsgGlobeTapped:
      if (!leaving_) judgeTap();
      break;
    case kMsgAgreed:
      if (!leaving_) {
        leaving_ = true;
        open_ = false;
        ctx_->tasks->broadcast(kMsgTapsOff);
        ctx_->tasks->broadcast(kMsgHudLeave);
        leaveToTitle(*ctx_);
      }
      break;
    case kMsgBackToTitle:
      retire();
      break;
    default:
      break;
  }
}

}  // namespace orb
