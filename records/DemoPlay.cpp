#include "records/DemoPlay.h"

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/GameMain.h"
#include "game/WidgetDraw.h"
#include "gfx/WidgetSet.h"
#include "globe/GameContext.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr float kBlinkRate = 1.5f;  // label phases per second: on 1/1.5 s, off 1/1.5 s

}  // namespace

DemoPlay::DemoPlay(GameContext* context, ReplayControl* replay) : ctx_(context) {
  GameContext& ctx = *ctx_;
  const picojson::value& title = json::at(ctx.params->root(), "title");
  delay_ = json::real(title, "demo_delay");
  length_ = json::real(title, "demo_time");
  const WidgetSet widgets(json::at(title, "demo_widgets"), *ctx.textures, *ctx.dataDir, ctx.screen->pair);
  if (widgets.has("demoplay")) label_ = widgets.get("demoplay");

  ctx.demonstration = true;
  SceneTrace::enter("demonstration");
  ctx.tasks->create<GameMain>(kLayerLogic, ctx_, replay);
  if (ctx.touch) {
    ctx.touch->add(this);
    registered_ = true;
  }
}

DemoPlay::~DemoPlay() {
  if (registered_) ctx_->touch->remove(this);
}

void DemoPlay::touchesEnded(TouchDispatcher&, const Touches&) {
  if (shown_) endRequested_ = true;
}

void DemoPlay::update(float dt) {
  if (!alive()) return;
  if (!shown_) {
    delay_ -= dt;
    if (delay_ > 0) return;
    shown_ = true;
  }
  shownTime_ += dt;
  alpha_ = (static_cast<int>(shownTime_ * kBlinkRate) % 2 == 1) ? 1.0f : 0.0f;
  if (endRequested_ || shownTime_ >= length_) {
    retire();
    // Leaving the receiver list at once: the touch that ended the
    // demonstration must not end a later one.
    if (registered_) {
      ctx_->touch->remove(this);
      registered_ = false;
    }
    ctx_->tasks->broadcast(kMsgBackToTitle);
    ctx_->tasks->broadcast(kMsgDemoEnded);
  }
}

void DemoPlay::draw() {
  if (!shown_ || !alive()) return;
  drawWidget(label_.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, alpha_});
}

}  // namespace orb
