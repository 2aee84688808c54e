#include "game/Agree.h"

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/WidgetDraw.h"
#include "gfx/Easing.h"
#include "gfx/TextureCache.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {

const picojson::value& section(const GameContext& context) { return json::at(context.params->root(), "agree"); }

}  // namespace

Agree::Agree(GameContext* context)
    : context_(context),
      press_(json::real(section(*context), "btneft_scale"), json::real(section(*context), "btneft_time")) {
  auto atlas = context_->textures->getTexture(*context_->dataDir + "devdata/game2.png");
  widget_ = std::make_shared<Widget>(json::at(section(*context_), "widget"), atlas, context_->screen->pair);
  if (context_->touchMenu) {
    TouchMenu::Focus focus;
    focus.ready = [this] { return !done_; };
    focus.closes = [] { return true; };  // Escape goes on, as the button does
    context_->touchMenu->add(widget_, [this](int kind, const Vec2<float>&, Widget&) { onTouch(kind); }, focus);
  }
}

void Agree::onTouch(int kind) {
  if (done_) return;
  press_.touch(kind);
  if (kind != TouchMenu::kReleasedOn) return;
  done_ = true;
  if (context_->sound) context_->sound->play("touch_out", 1.0f, 0.0f);
  context_->tasks->broadcast(kMsgAgreed);
  fadeFrom_ = alpha_;
  fadeTo_ = 0.0f;
  fadeClock_ = 0.0f;
}

void Agree::update(float dt) {
  if (fadeClock_ < kFadeTime) fadeClock_ += dt;
  tween(alpha_, fadeClock_, fadeFrom_, fadeTo_, kFadeTime, kEaseLinear);
  press_.update(dt);
  if (done_ && fadeClock_ >= kFadeTime) retire();
}

void Agree::draw() { drawWidget(widget_.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, alpha_}, press_.scale()); }

}  // namespace orb
