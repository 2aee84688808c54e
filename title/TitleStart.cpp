#include "title/TitleStart.h"

#include <algorithm>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/WidgetDraw.h"
#include "gfx/Easing.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "gfx/WidgetSet.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {

TitleStart::TitleStart(GameContext* context) : ctx_(context) {
  const picojson::value& title = json::at(context->params->root(), "title");
  WidgetSet set(json::at(title, "start_widgets"), *context->textures, *context->dataDir,
                context->screen->pair);
  const bool advanced = context->settings && context->settings->getFlag("advanced");
  const bool survival = context->settings && context->settings->getFlag("survival");
  std::vector<const char*> names{advanced || survival ? "normal" : "play"};
  if (advanced) names.push_back("advanced");
  if (survival) names.push_back("survival");
  const float scale = json::real(title, "start_btneft_scale");
  const float time = json::real(title, "start_btneft_time");
  const float shift = kShiftPerButton * static_cast<float>(names.size() - 1);
  for (const char* name : names) {
    std::shared_ptr<Widget> w = set.get(name);
    if (!w) continue;
    w->y -= shift;
    w->baseY -= shift;
    buttons_.push_back(Button{w, ButtonPress(scale, time)});
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (ctx_->touchMenu) {
      TouchMenu::Focus focus;
      focus.ready = [this] { return shown() && !closing_; };
      ctx_->touchMenu->add(buttons_[i].widget,
                           [this, i](int kind, const Vec2<float>&, Widget&) { onTouch(i, kind); }, focus);
    }
  }
  delay_ = json::real(title, "start_delay");
  easeTime_ = json::real(title, "start_ease_time");
}

void TitleStart::onTouch(std::size_t index, int kind) {
  if (!shown() || closing_) return;
  Button& b = buttons_[index];
  b.press.touch(kind);
  if (kind != TouchMenu::kReleasedOn) return;
  ctx_->mode = b.widget->id;
  ctx_->tasks->broadcast(kMsgModeChosen);
}

void TitleStart::fadeTo(float to, float duration) {
  from_ = alpha_;
  to_ = to;
  duration_ = duration;
  clock_ = 0.0f;
}

void TitleStart::update(float dt) {
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  clock_ = std::min(clock_ + dt, duration_);
  tween(alpha_, clock_, from_, to_, duration_, kEaseCubicOut);
  if (chosen_ >= 0) {
    zoom_.x = tweened(clock_, 1.0f, 1.5f, duration_, kEaseExpoIn);
    zoom_.y = tweened(clock_, 1.0f, 0.0f, duration_, kEaseExpoIn);
  }
  for (Button& b : buttons_) b.press.update(dt);
  if (closing_ && clock_ >= duration_) retire();
}

void TitleStart::draw() {
  if (!shown()) return;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const Button& b = buttons_[i];
    if (static_cast<int>(i) == chosen_) {
      drawWidget(b.widget.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, zoom_.y}, zoom_.x * b.press.scale());
    } else {
      drawWidget(b.widget.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, alpha_}, b.press.scale());
    }
  }
}

void TitleStart::message(int code) {
  if (code == kMsgTitleReady && !closing_) {
    delay_ = 0.0f;
    clock_ = 100.0f;
  } else if (code == kMsgModeChosen && !closing_) {
    closing_ = true;
    delay_ = 0.0f;
    if (ctx_->sound) {
      ctx_->sound->clear();
      ctx_->sound->play("start", 1.0f, 0.0f);
    }
    chosen_ = ctx_->learnMode == kLearnNone ? ctx_->mode : -1;  // a learn button is not a row here
    fadeTo(0.0f, easeTime_);
  } else if ((code == kMsgCreditsTapped || code == kMsgTitleOpening) && !closing_) {
    closing_ = true;
    fadeTo(0.0f, kCloseTime);
  }
}

}  // namespace orb
