#include "title/SettingToggle.h"

#include "audio/SoundScheduler.h"
#include "data/SettingsStore.h"
#include "game/WidgetDraw.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "globe/GameContext.h"

namespace orb {
namespace {

// The press of the title's small buttons: a slight swell, quick.
constexpr float kPressScale = 1.08f;
constexpr float kPressTime = 0.1f;

}  // namespace

SettingToggle::SettingToggle(GameContext* context, std::string key, std::shared_ptr<Widget> off,
                             std::shared_ptr<Widget> on, std::function<bool()> usable)
    : ctx_(context),
      key_(std::move(key)),
      off_(std::move(off)),
      on_(std::move(on)),
      usable_(std::move(usable)),
      press_(kPressScale, kPressTime) {
  // The two buttons stand at one place: the "off" one takes the touches for both.
  if (!off_ || !ctx_->touchMenu) return;
  TouchMenu::Focus focus;
  focus.ready = usable_;
  ctx_->touchMenu->add(off_, [this](int kind, const Vec2<float>&, Widget&) { onTouch(kind); }, focus);
}

bool SettingToggle::value() const { return ctx_->settings && ctx_->settings->getFlag(key_); }

void SettingToggle::onTouch(int kind) {
  if (!usable_()) return;
  press_.touch(kind);
  if (kind != TouchMenu::kReleasedOn || !ctx_->settings) return;
  ctx_->settings->setFlag(key_, !value());
  if (ctx_->sound) ctx_->sound->play("touch_in", 1.0f, 0.0f);
}

void SettingToggle::draw(float dx, float dy, float alpha) const {
  const std::shared_ptr<Widget>& shown = value() && on_ ? on_ : off_;
  drawWidget(shown.get(), dx, dy, Tint{1.0f, 1.0f, 1.0f, alpha}, press_.scale());
}

}  // namespace orb
