#include "title/TitleCopy.h"

#include <algorithm>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/WidgetDraw.h"
#include "gfx/Easing.h"
#include "gfx/WidgetSet.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {

TitleCopy::TitleCopy(GameContext* context) {
  const picojson::value& title = json::at(context->params->root(), "title");
  WidgetSet set(json::at(title, "copy_widgets"), *context->textures, *context->dataDir,
                context->screen->pair);
  widget_ = set.get("copyright");
  delay_ = json::real(title, "copy_delay");
  duration_ = json::real(title, "copy_in_time");
  outTime_ = json::real(title, "copy_out_time");
}

void TitleCopy::fadeTo(float to, float duration) {
  from_ = alpha_;
  to_ = to;
  duration_ = duration;
  clock_ = 0.0f;
}

void TitleCopy::update(float dt) {
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  clock_ = std::min(clock_ + dt, duration_);
  tween(alpha_, clock_, from_, to_, duration_, kEaseCubicOut);
  if (closing_ && clock_ >= duration_) retire();
}

void TitleCopy::draw() {
  if (shown()) drawWidget(widget_.get(), 0.0f, 0.0f, Tint{1.0f, 1.0f, 1.0f, alpha_});
}

void TitleCopy::message(int code) {
  if (code == kMsgTitleReady) {
    delay_ = 0.0f;
    clock_ = 100.0f;
  } else if ((code == kMsgModeChosen || code == kMsgTitleOpening) && !closing_) {
    closing_ = true;
    fadeTo(0.0f, outTime_);
  }
}

}  // namespace orb
