#include "globe/EarthTexture.h"

#include <algorithm>
#include <cassert>
#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "gfx/Easing.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr int kMonthCount = 12;
constexpr float kDimmed = 0.5f;  // brightness of the choices not selected
constexpr float kBackMargin = 8.0f;  // the panel behind the choices reaches this far beyond them
constexpr const char* kCornerImage = "devdata/round.png";

// A copy of w drawn at its rest position plus (dx, dy), its colour times the tint.
void drawMoved(const Widget& w, float dx, float dy, float k, float alpha, float scale = 1.0f) {
  Widget moved = w;
  moved.x = w.baseX + dx;
  moved.y = w.baseY + dy;
  moved.r = w.r * k;
  moved.g = w.g * k;
  moved.b = w.b * k;
  moved.a = w.a * alpha;
  moved.scaleX = w.scaleX * scale;
  moved.scaleY = w.scaleY * scale;
  moved.draw();
}

}  // namespace

EarthTexture::EarthTexture(GameContext* context)
    : context_(context),
      press_(json::real(json::at(context->params->root(), "title"), "earth_btneft_scale"),
             json::real(json::at(context->params->root(), "title"), "earth_btneft_time")),
      easing_(kEaseQuartOut) {
  assert(context_->params && context_->textures && context_->dataDir && context_->tasks);
  const picojson::value& p = json::at(context_->params->root(), "title");
  widgets_ = WidgetSet(json::at(p, "earth_widgets"), *context_->textures, *context_->dataDir,
                       context_->screen ? context_->screen->pair : nullptr);
  openDelay_ = json::real(p, "earth_delay");
  menuWidth_ = json::real(p, "earth_menu_width");
  selected_ = context_->earthTexture;

  toggle_ = widgets_.get("earth");
  std::vector<std::string> names{"e_auto"};
  for (int m = 1; m <= kMonthCount; ++m) names.push_back("e_" + std::to_string(m));
  if (context_->settings && context_->settings->getFlag("nightmode")) names.push_back("e_n");
  for (const auto& name : names) {
    if (auto w = widgets_.get(name)) choices_.push_back(std::move(w));
  }
  corner_ = context_->textures->getTexture(*context_->dataDir + kCornerImage);
  moveWidgets();
  if (!context_->touchMenu) return;
  if (toggle_) {
    TouchMenu::Focus focus;
    focus.ready = [this] { return active_ && !closing_; };
    focus.closes = [this] { return menuOpen_; };  // Escape closes the open menu
    context_->touchMenu->add(toggle_, [this](int kind, const Vec2<float>&, Widget&) { onToggle(kind); }, focus);
  }
  for (const auto& choice : choices_) {
    TouchMenu::Focus focus;
    focus.ready = [this] { return active_ && !closing_ && menuOpen_ && !toggling_; };
    context_->touchMenu->add(choice, [this](int kind, const Vec2<float>&, Widget& w) { onChoice(kind, w); },
                             focus);
  }
}

void EarthTexture::onToggle(int kind) {
  if (!active_ || closing_ || pickDelay_ > 0.0f) return;
  press_.touch(kind);
  if (kind != TouchMenu::kReleasedOn) return;
  context_->tasks->broadcast(menuOpen_ ? kMsgEarthMenuClosed : kMsgEarthMenuOpened);
}

void EarthTexture::onChoice(int kind, const Widget& widget) {
  // Only a shown menu takes picks: closed, the choices lie beyond the screen edge anyway.
  if (kind != TouchMenu::kReleasedOn || !active_ || closing_ || pickDelay_ > 0.0f) return;
  if (!menuOpen_ || toggling_) return;
  selected_ = widget.id;
  pickDelay_ = kPickDelay;
}

void EarthTexture::moveWidgets() {
  const auto place = [this](Widget& w) {
    w.x = w.baseX + placement_.x;
    w.y = w.baseY + placement_.y;
  };
  if (toggle_) place(*toggle_);
  for (const auto& choice : choices_) place(*choice);
}

void EarthTexture::update(float dt) {
  if (!alive()) return;
  if (openDelay_ > 0.0f) {
    openDelay_ -= dt;
    active_ = openDelay_ <= 0.0f;
    if (!active_) return;
  }
  if (elapsed_ < duration_) elapsed_ += dt;
  if (toggling_) {
    tween3(placement_, elapsed_, start_, end_, duration_, kEaseBackOut);
    tween(menuAlpha_, elapsed_, menuAlphaStart_, menuAlphaEnd_, duration_, easing_);
    if (elapsed_ >= duration_) {
      toggling_ = false;
      if (!menuOpen_) choicesShown_ = false;
    }
  } else {
    tween3(placement_, elapsed_, start_, end_, duration_, easing_);
  }
  moveWidgets();
  press_.update(dt);
  if (pickDelay_ > 0.0f) {
    pickDelay_ -= dt;
    if (pickDelay_ <= 0.0f) {
      context_->earthTexture = selected_;
      context_->tasks->broadcast(kMsgEarthMenuTimeout);
    }
  }
  if (closing_ && elapsed_ >= duration_) retire();
}

void EarthTexture::draw() {
  if (!active_ || !alive()) return;
  const float alpha = placement_.z;
  if (choicesShown_ && !choices_.empty()) {
    // One panel behind the choices holds them together over the globe.
    Vec2<float> lo = choices_.front()->topLeft(), hi = lo;
    for (const auto& choice : choices_) {
      const Vec2<float> c = choice->topLeft();
      lo = {std::min(lo.x, c.x), std::min(lo.y, c.y)};
      hi = {std::max(hi.x, c.x + choice->width), std::max(hi.y, c.y + choice->height)};
    }
    GrpRoundBox back;
    back.texture = corner_;
    back.x = lo.x - kBackMargin;
    back.y = lo.y - kBackMargin;
    back.width = hi.x - lo.x + 2 * kBackMargin;
    back.height = hi.y - lo.y + 2 * kBackMargin;
    back.r = back.g = back.b = 1.0f;
    back.a = menuAlpha_ * alpha;
    back.draw();
    for (const auto& choice : choices_) {
      const float k = choice->id == selected_ ? 1.0f : kDimmed;
      drawMoved(*choice, placement_.x, placement_.y, k, menuAlpha_ * alpha);
    }
  }
  if (toggle_) drawMoved(*toggle_, placement_.x, placement_.y, 1.0f, alpha, press_.scale());
}

void EarthTexture::message(int code) {
  switch (code) {
    case kMsgTitleReady:
      active_ = true;
      openDelay_ = 0.0f;
      elapsed_ = 100.0f;
      break;
    case kMsgCreditsTapped:
    case kMsgModeChosen:
    case kMsgTitleOpening:
      if (closing_) break;
      start_ = placement_;
      end_ = {-100.0f, 0.0f, 0.0f};
      duration_ = kLeaveTime;
      easing_ = kEaseQuartIn;
      elapsed_ = 0.0f;
      toggling_ = false;
      closing_ = true;
      break;
    case kMsgEarthMenuOpened:
    case kMsgEarthMenuClosed:
      if (closing_) break;
      menuOpen_ = !menuOpen_;
      start_ = placement_;
      end_ = {menuOpen_ ? menuWidth_ : 0.0f, 0.0f, 1.0f};
      menuAlphaStart_ = menuAlpha_;
      menuAlphaEnd_ = menuOpen_ ? 1.0f : 0.0f;
      elapsed_ = 0.0f;
      duration_ = kToggleTime;
      toggling_ = true;
      if (menuOpen_) choicesShown_ = true;
      break;
    default:
      break;
  }
}

}  // namespace orb
