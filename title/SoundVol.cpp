#include "title/SoundVol.h"

#include <algorithm>
#include <cmath>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
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

SoundVol::SoundVol(GameContext* context) : ctx_(context) {
  const picojson::value& title = json::at(context->params->root(), "title");
  WidgetSet set(json::at(title, "sound_widgets"), *context->textures, *context->dataDir,
                context->screen->pair);
  button_ = set.get("sound");
  barOn_ = set.get("sound_on");
  barOff_ = set.get("sound_off");
  delay_ = json::real(title, "sound_delay");
  menuOfs_ = json::real(title, "sound_menu_ofs");
  slide_.start(Vec3{kSlideFrom, 0.0f, 0.0f}, Vec3{0.0f, 0.0f, 1.0f}, kInTime, kEaseQuartOut);
  const auto usable = [this] { return shown() && !slide_.leaving() && open_; };
  if (!ctx_->touchMenu) return;
  if (button_) {
    TouchMenu::Focus focus;
    focus.ready = [this] { return shown() && !slide_.leaving(); };
    focus.closes = [this] { return open_; };  // Escape closes the open panel
    ctx_->touchMenu->add(button_, [this](int kind, const Vec2<float>&, Widget&) {
      if (kind == TouchMenu::kReleasedOn && shown() && !slide_.leaving()) {
        ctx_->tasks->broadcast(open_ ? kMsgSoundMenuClosed : kMsgSoundMenuOpened);
      }
    }, focus);
  }
  if (barOff_) {
    TouchMenu::Focus focus;
    focus.ready = [this] { return shown() && !slide_.leaving() && open_; };
    focus.adjust = [this](int step) { stepVolume(step); };
    ctx_->touchMenu->add(barOff_, [this](int kind, const Vec2<float>& p, Widget&) { onBar(kind, p); }, focus);
  }
  miles_ = std::make_unique<SettingToggle>(ctx_, "miles", set.get("unit_km"), set.get("unit_mi"), usable);
  colourSafe_ = std::make_unique<SettingToggle>(ctx_, "colour_safe", set.get("palette_std"),
                                                set.get("palette_cvd"), usable);
  language_ = std::make_unique<LanguageButton>(ctx_, set.get("unit_km"), usable);
}

float SoundVol::volume() const { return ctx_->sound ? ctx_->sound->sound().volume() : unmutedVolume_; }

void SoundVol::onBar(int kind, const Vec2<float>& point) {
  if (!shown() || slide_.leaving() || !open_) return;
  const float left = barOff_->topLeft().x + slide_.x();
  const float v = std::clamp((point.x - left) / barOff_->width, 0.0f, 1.0f);
  unmutedVolume_ = v;
  if (ctx_->sound) ctx_->sound->sound().setVolume(v);
  if (ctx_->settings) ctx_->settings->setNumber("volume", v);
  if ((kind == TouchMenu::kReleasedOn || kind == TouchMenu::kReleasedOff) && ctx_->sound) {
    ctx_->sound->play("touch_in", 1.0f, 0.0f);
  }
}

// A key moves the volume a tenth, as a finger lifted on that point of the bar would.
void SoundVol::stepVolume(int step) {
  const float v = std::clamp(std::round(volume() * kVolumeSteps + static_cast<float>(step)) / kVolumeSteps,
                             0.0f, 1.0f);
  const float left = barOff_->topLeft().x + slide_.x();
  onBar(TouchMenu::kReleasedOn, {left + v * barOff_->width, barOff_->topLeft().y});
}

void SoundVol::update(float dt) {
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  menuClock_ = std::min(menuClock_ + dt, kMenuTime);
  tween(buttonX_, menuClock_, buttonFrom_, buttonTo_, kMenuTime, kEaseBackOut);
  tween(barAlpha_, menuClock_, barFrom_, barTo_, kMenuTime, kEaseQuartOut);
  if (miles_) miles_->update(dt);
  if (colourSafe_) colourSafe_->update(dt);
  if (language_) language_->update(dt);
  const bool going = slide_.update(dt);
  // The button answers where it is drawn.
  if (button_) button_->x = button_->baseX + slide_.x() + buttonX_;
  if (!going) retire();
}

void SoundVol::draw() {
  if (!shown()) return;
  const float a = slide_.alpha();
  if (open_ || barAlpha_ > 0.0f) {
    const Tint bar{1.0f, 1.0f, 1.0f, a * barAlpha_};
    drawWidget(barOff_.get(), slide_.x(), slide_.y(), bar);
    if (barOn_) {
      Widget filled = *barOn_;
      filled.width = barOn_->width * volume();
      if (filled.width > 0.5f) drawWidget(&filled, slide_.x(), slide_.y(), bar);
    }
    if (miles_) miles_->draw(slide_.x(), slide_.y(), bar.a);
    if (colourSafe_) colourSafe_->draw(slide_.x(), slide_.y(), bar.a);
    if (language_) language_->draw(slide_.x(), slide_.y(), bar.a);
  }
  drawWidget(button_.get(), slide_.x() + buttonX_, slide_.y(), Tint{1.0f, 1.0f, 1.0f, a});
}

void SoundVol::message(int code) {
  switch (code) {
    case kMsgTitleReady:
      if (slide_.leaving()) break;
      delay_ = 0.0f;
      slide_.start(Vec3{0.0f, 0.0f, 1.0f}, Vec3{0.0f, 0.0f, 1.0f}, 0.0f);
      break;
    case kMsgSoundMenuOpened:
    case kMsgSoundMenuClosed:
      open_ = code == kMsgSoundMenuOpened;
      buttonFrom_ = buttonX_;
      buttonTo_ = open_ ? menuOfs_ : 0.0f;
      barFrom_ = barAlpha_;
      barTo_ = open_ ? 1.0f : 0.0f;
      menuClock_ = 0.0f;
      break;
    case kMsgCreditsTapped:
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
