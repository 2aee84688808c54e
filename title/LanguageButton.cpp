#include "title/LanguageButton.h"

#include <cmath>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/LanguageChoice.h"
#include "data/SettingsStore.h"
#include "gfx/Font.h"
#include "gfx/FontCache.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "globe/GameContext.h"

namespace orb {
namespace {

constexpr const char* kFontName = "language";
constexpr const char* kCornerImage = "devdata/round.png";
// The press of the title's small buttons, as SettingToggle has it.
constexpr float kPressScale = 1.08f;
constexpr float kPressTime = 0.1f;

}  // namespace

LanguageButton::LanguageButton(GameContext* context, std::shared_ptr<Widget> pill,
                               std::function<bool()> usable)
    : ctx_(context), pill_(std::move(pill)), usable_(std::move(usable)), press_(kPressScale, kPressTime) {
  const picojson::value& params = json::at(json::at(context->params->root(), "title"), "language_widget");
  if (!params.is<picojson::object>() || !ctx_->languages) return;
  widget_ = std::make_shared<Widget>(params, nullptr, context->screen->pair);
  if (ctx_->fonts) font_ = ctx_->fonts->getFont(kFontName);
  if (ctx_->textures) corner_ = ctx_->textures->getTexture(*ctx_->dataDir + kCornerImage);
  if (!ctx_->touchMenu) return;
  TouchMenu::Focus focus;
  focus.ready = usable_;
  ctx_->touchMenu->add(widget_, [this](int kind, const Vec2<float>&, Widget&) { onTouch(kind); }, focus);
}

void LanguageButton::onTouch(int kind) {
  if (!usable_()) return;
  press_.touch(kind);
  if (kind != TouchMenu::kReleasedOn) return;
  LanguageChoice& languages = *ctx_->languages;
  languages.use(languages.next());
  if (ctx_->settings) ctx_->settings->member("lang") = picojson::value(languages.current().code());
  if (ctx_->sound) ctx_->sound->play("touch_in", 1.0f, 0.0f);
}

void LanguageButton::draw(float dx, float dy, float alpha) const {
  if (!widget_ || alpha <= 0.0f) return;
  const Widget& w = *widget_;
  const Vec2<float> corner = w.topLeft();
  const float s = press_.scale();
  const float x = std::round(corner.x + w.width / 2.0f + dx);
  const float y = std::round(corner.y + w.height / 2.0f + dy);
  drawPill(x, y, s, alpha);
  if (!font_) return;
  const std::string& name = ctx_->languages->current().name();
  Font& f = *font_;
  f.x = x;
  f.y = y;
  f.pivotX = std::trunc(f.inkMiddle(name));
  f.pivotY = (f.descender() - f.ascender()) / 2.0f;
  f.scaleX = f.scaleY = s;
  f.rotation = 0.0f;
  f.r = f.g = f.b = 1.0f;
  f.a = alpha;
  f.drawText(name);
  f.scaleX = f.scaleY = 1.0f;
  f.a = 1.0f;
}

void LanguageButton::drawPill(float x, float y, float scale, float alpha) const {
  const Widget& w = *widget_;
  if (!pill_ || !pill_->texture) {
    GrpRoundBox box;
    box.texture = corner_;
    box.width = w.width;
    box.height = w.height;
    box.x = x;
    box.y = y;
    box.pivotX = w.width / 2.0f;
    box.pivotY = w.height / 2.0f;
    box.scaleX = box.scaleY = scale;
    box.r = box.g = box.b = 1.0f;
    box.a = alpha;
    box.draw();
    return;
  }
  // The ends are as wide as half the pill is high; the plain column just
  // inside the left end is clear of any label.
  const float end = std::floor(pill_->height / 2.0f);
  const struct {
    float from, width;  // in the art
    float left, span;   // drawn, from the box's left edge
  } pieces[] = {
      {0.0f, end, 0.0f, end},
      {end + 2.0f, 1.0f, end, w.width - 2.0f * end},
      {pill_->width - end, end, w.width - end, end},
  };
  for (const auto& p : pieces) {
    Widget piece = *pill_;
    piece.layoutFlags = 0;
    piece.autoCenter = false;
    piece.centerX = piece.centerY = 0.0f;
    piece.u = pill_->u + p.from;
    piece.width = p.width;
    piece.height = pill_->height;
    piece.x = x + (p.left - w.width / 2.0f) * scale;
    piece.y = y - w.height / 2.0f * scale;
    piece.scaleX = scale * p.span / p.width;
    piece.scaleY = scale * w.height / pill_->height;
    piece.r = piece.g = piece.b = 1.0f;
    piece.a = alpha;
    piece.draw();
  }
}

}  // namespace orb
