#include "title/TitleCredits.h"

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/WidgetDraw.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "gfx/WidgetSet.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {

TitleCredits::TitleCredits(GameContext* context) : ctx_(context) {
  const picojson::value& title = json::at(context->params->root(), "title");
  WidgetSet set(json::at(title, "credits_widgets"), *context->textures, *context->dataDir,
                context->screen->pair);
  widget_ = set.get("credits");
  delay_ = json::real(title, "credits_delay");
  slide_.start(Vec3{kSlideFrom, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 1.0f}, kInTime, kEaseQuartOut);
  if (widget_ && ctx_->touchMenu) {
    TouchMenu::Focus focus;
    focus.ready = [this] { return shown() && !slide_.leaving(); };
    ctx_->touchMenu->add(widget_, [this](int kind, const Vec2<float>&, Widget&) {
      if (kind == TouchMenu::kReleasedOn && shown() && !slide_.leaving()) {
        ctx_->tasks->broadcast(kMsgCreditsTapped);
      }
    }, focus);
  }
}

void TitleCredits::update(float dt) {
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  if (slide_.update(dt)) return;
  retire();
  if (staffWanted_) ctx_->tasks->broadcast(kMsgCreditsShown);
}

void TitleCredits::draw() {
  if (shown()) drawWidget(widget_.get(), slide_.x(), slide_.y(), Tint{1.0f, 1.0f, 1.0f, slide_.alpha()});
}

void TitleCredits::message(int code) {
  if (slide_.leaving()) return;
  switch (code) {
    case kMsgTitleReady:
      delay_ = 0.0f;
      slide_.start(Vec3{0.0f, 0.0f, 1.0f}, Vec3{0.0f, 0.0f, 1.0f}, 0.0f);
      break;
    case kMsgCreditsTapped:
      if (ctx_->sound) ctx_->sound->play("touch_just", 1.0f, 0.0f);
      staffWanted_ = true;
      delay_ = 0.0f;
      slide_.leave(Vec3{0.0f, 0.0f, 0.0f}, kPressTime, kEaseQuartIn);
      break;
    case kMsgModeChosen:
    case kMsgTitleOpening:
      delay_ = 0.0f;
      slide_.leave(Vec3{kSlideFrom, 0.0f, 0.0f}, kOutTime, kEaseQuartIn);
      break;
    default:
      break;
  }
}

}  // namespace orb
