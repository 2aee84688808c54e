#include "title/TitleLearn.h"

#include <algorithm>
#include <cmath>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/Translation.h"
#include "gfx/Easing.h"
#include "gfx/Font.h"
#include "gfx/FontCache.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {
constexpr const char* kFontName = "achievement";  // the rounded display face of the buttons
constexpr const char* kCornerImage = "devdata/round.png";
}  // namespace

TitleLearn::TitleLearn(GameContext* context) : ctx_(context) {
  const picojson::value& title = json::at(context->params->root(), "title");
  const float scale = json::real(title, "start_btneft_scale", 1.0f);
  const float time = json::real(title, "start_btneft_time");
  for (const auto& [name, params] : json::object(json::at(title, "learn_widgets"))) {
    auto widget = std::make_shared<Widget>(params, nullptr, context->screen->pair);
    const std::string english = json::string(params, "text");
    const std::string text = context->language ? context->language->text("title." + name, english) : english;
    buttons_.push_back(Button{widget, text, ButtonPress(scale, time)});
  }
  // Top to bottom, so the keyboard's ring moves down the column.
  std::sort(buttons_.begin(), buttons_.end(),
            [](const Button& a, const Button& b) { return a.widget->y < b.widget->y; });
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (!ctx_->touchMenu) break;
    TouchMenu::Focus focus;
    focus.ready = [this] { return shown() && !closing_; };
    ctx_->touchMenu->add(buttons_[i].widget,
                         [this, i](int kind, const Vec2<float>&, Widget&) { onTouch(i, kind); }, focus);
  }
  if (ctx_->fonts) font_ = ctx_->fonts->getFont(kFontName);
  if (ctx_->textures) corner_ = ctx_->textures->getTexture(*ctx_->dataDir + kCornerImage);
  delay_ = json::real(title, "start_delay");
}

void TitleLearn::onTouch(std::size_t index, int kind) {
  if (!shown() || closing_) return;
  Button& b = buttons_[index];
  b.press.touch(kind);
  if (kind != TouchMenu::kReleasedOn) return;
  ctx_->learnMode = b.widget->id;
  ctx_->tasks->broadcast(kMsgModeChosen);
}

void TitleLearn::fadeTo(float to) {
  from_ = alpha_;
  to_ = to;
  clock_ = 0.0f;
}

void TitleLearn::update(float dt) {
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  clock_ = std::min(clock_ + dt, kFadeTime);
  tween(alpha_, clock_, from_, to_, kFadeTime, kEaseCubicOut);
  for (Button& b : buttons_) b.press.update(dt);
  if (closing_ && clock_ >= kFadeTime) retire();
}

void TitleLearn::draw() {
  if (!shown() || alpha_ <= 0.0f) return;
  for (const Button& b : buttons_) {
    const Widget& w = *b.widget;
    const Vec2<float> corner = w.topLeft();
    const float s = b.press.scale();
    GrpRoundBox box;
    box.texture = corner_;
    box.width = w.width;
    box.height = w.height;
    box.x = std::round(corner.x + w.width / 2.0f);
    box.y = std::round(corner.y + w.height / 2.0f);
    box.pivotX = w.width / 2.0f;
    box.pivotY = w.height / 2.0f;
    box.scaleX = box.scaleY = s;
    box.r = box.g = box.b = 1.0f;
    box.a = alpha_;
    box.draw();
    if (!font_) continue;
    Font& f = *font_;
    f.x = box.x;
    f.y = box.y;
    f.pivotX = std::trunc(f.inkMiddle(b.text));
    f.pivotY = (f.descender() - f.ascender()) / 2.0f;
    f.scaleX = f.scaleY = s;
    f.rotation = 0.0f;
    f.r = f.g = f.b = 1.0f;
    f.a = alpha_;
    f.drawText(b.text);
    f.scaleX = f.scaleY = 1.0f;
    f.a = 1.0f;
  }
}

void TitleLearn::message(int code) {
  if (closing_) return;
  if (code == kMsgTitleReady) {
    delay_ = 0.0f;
    clock_ = kFadeTime;
    alpha_ = to_;
  } else if (code == kMsgModeChosen || code == kMsgCreditsTapped || code == kMsgTitleOpening) {
    closing_ = true;
    delay_ = 0.0f;
    fadeTo(0.0f);
  }
}

}  // namespace orb
