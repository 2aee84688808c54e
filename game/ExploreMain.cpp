#include "game/ExploreMain.h"

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/Agree.h"
#include "game/ExploreCard.h"
#include "game/LearnExit.h"
#include "game/MapCoords.h"
#include "game/PlaceDatabase.h"
#include "game/PlaceOutline.h"
#include "game/PlaceParams.h"
#include "gfx/Easing.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr float kSpinStopTime = 2.0f;  // seconds for the globe to stand still, as in a game

float tapRadius(const GameContext& ctx) {
  return PlaceParams(json::at(ctx.params->root(), "game"), kModeNormal).touchRadius();
}

}  // namespace

ExploreMain::ExploreMain(GameContext* context)
    : ctx_(context), finder_(context->places->root(), *context->dataDir, tapRadius(*context)) {
  SceneTrace::enter("explore");
  GameContext& ctx = *ctx_;
  ctx.placeKey.clear();
  ctx.placeName.clear();
  ctx.hasAnswer = false;
  outline_ = ctx.tasks->create<PlaceOutline>(kLayerOverlay3D, ctx_);
  card_ = ctx.tasks->create<ExploreCard>(kLayerScreen, ctx_);
  ctx.tasks->create<Agree>(kLayerScreen, ctx_);
  if (ctx.earth) ctx.earth->startSpinTween(0.0f, kSpinStopTime, kEaseCircIn);
  ctx.tasks->broadcast(kMsgControlOn);
  ctx.tasks->broadcast(kMsgFreeTurning);
  ctx.tasks->broadcast(kMsgGameCreated);  // the clouds thin out, as for a game
  ctx.tasks->broadcast(kMsgQuestionsBegin);
  ctx.tasks->broadcast(kMsgTapsOn);
}

ExploreMain::~ExploreMain() = default;

void ExploreMain::tapped() {
  GameContext& ctx = *ctx_;
  const std::string key = finder_.find(mapFromGlobe(ctx.touchPoint));
  if (key.empty()) {
    card_->clear();
    outline_->hide();
    ctx.placeKey.clear();
    return;
  }
  const auto place = PlaceDatabase(ctx.places->root(), *ctx.dataDir).loadPlace(key, 0.0f, ctx);
  outline_->show(*place);
  card_->show();
  if (ctx.sound) ctx.sound->play("question", 1.0f, 0.0f);
  SceneTrace::enter(("explore: " + ctx.placeName).c_str());
}

void ExploreMain::message(int code) {
  switch (code) {
    case kMsgGlobeTapped:
      if (!leaving_) tapped();
      break;
    case kMsgAgreed:
      if (!leaving_) {
        leaving_ = true;
        card_->clear();
        outline_->hide();
        ctx_->tasks->broadcast(kMsgTapsOff);
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
