#include "title/GameMenu.h"

#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/WidgetDraw.h"
#include "gfx/Easing.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "gfx/TouchMenu.h"
#include "gfx/WidgetSet.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "globe/ResetCamera.h"
#include "input/KeyCodes.h"
#include "input/KeyInput.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr float kRestingViewTime = 3.0f;  // seconds of the flight back after an abort
constexpr float kSpinEaseTime = 1.0f;

const picojson::value& section(const GameContext& context) {
  return json::at(context.params->root(), "gamemenu");
}

}  // namespace

GameMenu::GameMenu(GameContext* context)
    : context_(context),
      abortPress_(json::real(section(*context), "btneft_scale", 1.0f), json::real(section(*context), "btneft_time", 0.1f)),
      okPress_(abortPress_),
      ngPress_(abortPress_) {
  if (context_->demonstration) {
    retire();
    return;
  }
  const picojson::value& params = section(*context_);
  confirmOffset_ = json::real(params, "ofs");
  widgets_ = std::make_shared<const WidgetSet>(json::at(params, "widgets"), *context_->textures,
                                               *context_->dataDir, context_->screen->pair);
  abort_ = widgets_->get("abort");
  ok_ = widgets_->get("abort_ok");
  ng_ = widgets_->get("abort_ng");
  pause_ = widgets_->get("pause");
  if (TouchMenu* menu = context_->touchMenu.get()) {
    menu->add(abort_, [this](int kind, const Vec2<float>&, Widget&) { onAbort(kind); });
    menu->add(ok_, [this](int kind, const Vec2<float>&, Widget&) { onConfirm(kind); });
    menu->add(ng_, [this](int kind, const Vec2<float>&, Widget&) { onCancel(kind); });
  }
  if (context_->keys) {
    context_->keys->add(this, kKeyRankMenu);
    keysAdded_ = true;
  }
  slide(Slide::In, 0.0f, kSlideTime);
  followOffset();
}

GameMenu::~GameMenu() {
  if (keysAdded_) context_->keys->remove(this);
}

std::shared_ptr<Widget> GameMenu::widget(const char* name) const {
  return widgets_ && widgets_->has(name) ? widgets_->get(name) : nullptr;
}

void GameMenu::slide(Slide kind, float to, float duration) {
  sliding_ = true;
  slideKind_ = kind;
  slideClock_ = 0.0f;
  slideTime_ = duration;
  from_ = offset_;
  to_ = to;
}

void GameMenu::followOffset() {
  // The touch menu hit-tests a widget where it stands, so the buttons' rest
  // positions move with the slide, not only their drawings.
  for (Widget* w : {abort_.get(), ok_.get(), ng_.get()}) {
    if (w) w->x = w->baseX + offset_;
  }
}

void GameMenu::togglePause() {
  paused_ = !paused_;
  confirmShown_ = true;
  slide(Slide::Confirm, paused_ ? confirmOffset_ : 0.0f, kConfirmTime);
  context_->tasks->broadcast(kMsgPauseToggle);
}

void GameMenu::onAbort(int kind) {
  abortPress_.touch(kind);
  if (kind != TouchMenu::kReleasedOn || closing_) return;
  blinkClock_ = 0.0f;
  if (slidingInOrOut()) return;
  togglePause();
}

void GameMenu::onCancel(int kind) {
  if (!confirmShown_) return;
  ngPress_.touch(kind);
  if (kind != TouchMenu::kReleasedOn || !paused_ || slidingInOrOut() || closing_) return;
  togglePause();
}

void GameMenu::onConfirm(int kind) {
  if (!confirmShown_) return;
  okPress_.touch(kind);
  if (kind != TouchMenu::kReleasedOn || !paused_ || slidingInOrOut() || closing_) return;
  confirm();
}

// A key shows the same press a finger would: down now, up a moment later.
void GameMenu::keyPress(ButtonPress& press) {
  if (keyPressed_) keyPressed_->touch(TouchMenu::kReleasedOn);
  press.touch(TouchMenu::kBegan);
  keyPressed_ = &press;
  keyPressLeft_ = kKeyPressTime;
}

void GameMenu::pauseByKey() {
  if (paused_ || closing_) return;
  if (slidingInOrOut()) {
    pauseWanted_ = true;
    return;
  }
  keyPress(abortPress_);
  blinkClock_ = 0.0f;
  togglePause();
}

bool GameMenu::keyDown(int code) {
  if (closing_ || !alive()) return false;
  if (code == kKeyEscape) {
    if (!paused_) {
      pauseByKey();
    } else if (!slidingInOrOut()) {
      keyPress(ngPress_);
      togglePause();
    }
    return true;
  }
  if (code == kKeyEnter && paused_) {
    if (!slidingInOrOut()) {
      keyPress(okPress_);
      confirm();
    }
    return true;
  }
  return false;
}

void GameMenu::focusLost() {
  if (alive()) pauseByKey();
}

void GameMenu::confirm() {
  GameContext& ctx = *context_;
  auto move = ctx.tasks->create<ResetCamera>(kLayerOverlay3D, context_);
  move->easing = kEaseQuadInOut;
  move->duration = kRestingViewTime;
  if (ctx.settings && ctx.settings->getFlag("played")) {
    move->pickRandomDistance();
  } else {
    const picojson::value& angle = json::at(ctx.params->root(), "start_angle");
    move->setTarget(json::realAt(angle, 0) * kPi / 180.0f, json::realAt(angle, 1) * kPi / 180.0f, false);
  }
  if (ctx.earth) ctx.earth->startSpinTween(ctx.earth->defaultSpinSpeed(), kSpinEaseTime, kEaseCircIn);
  ctx.tasks->broadcast(kMsgControlOff);
  ctx.backToTitle = true;
  closing_ = true;
}

void GameMenu::message(int code) {
  if (code == kMsgGameEnding && !closing_) {
    closing_ = true;
    paused_ = false;
    confirmShown_ = false;
    slide(Slide::Out, kSlideInFrom, kSlideTime);
  } else if (code == kMsgBackToTitle) {
    retire();
  }
}

float GameMenu::pauseAlpha() const {
  return static_cast<int>(blinkClock_ * kBlinkRate) % 2 == 1 ? 1.0f : 0.0f;
}

void GameMenu::update(float dt) {
  if (!alive()) return;
  if (keyPressed_ && (keyPressLeft_ -= dt) <= 0.0f) {
    keyPressed_->touch(TouchMenu::kReleasedOn);
    keyPressed_ = nullptr;
  }
  abortPress_.update(dt);
  okPress_.update(dt);
  ngPress_.update(dt);
  if (paused_) blinkClock_ += dt;
  if (!sliding_) return;
  slideClock_ = std::min(slideClock_ + dt, slideTime_);
  const int curve = slideKind_ == Slide::Confirm ? kEaseBackOut : kEaseQuartOut;
  offset_ = tweened(slideClock_, from_, to_, slideTime_, curve);
  followOffset();
  if (slideClock_ < slideTime_) return;
  sliding_ = false;
  offset_ = to_;
  followOffset();
  if (slideKind_ == Slide::Out) retire();
  if (slideKind_ == Slide::Confirm) confirmShown_ = paused_;
  if (slideKind_ == Slide::In && pauseWanted_) {
    pauseWanted_ = false;
    pauseByKey();
  }
}

void GameMenu::draw() {
  const Tint white{};
  drawWidget(abort_.get(), offset_, 0.0f, white, abortPress_.scale());
  if (confirmShown_) {
    drawWidget(ok_.get(), offset_, 0.0f, white, okPress_.scale());
    drawWidget(ng_.get(), offset_, 0.0f, white, ngPress_.scale());
  }
  if (paused_) drawWidget(pause_.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, pauseAlpha()});
}

}  // namespace orb
