#pragma once
#include <memory>

#include "game/HudSlide.h"
#include "gfx/Vec2.h"
#include "task/TaskProc.h"
#include "title/LanguageButton.h"
#include "title/SettingToggle.h"

namespace orb {

struct GameContext;
class Widget;

// The sound button of the title menu and its volume bar. A press on the
// button opens the bar (36) or closes it (37) - the Title holds the attract
// cycle while it is open; the button steps aside by "sound_menu_ofs" to
// uncover the bar. Touching or dragging along the bar sets the master volume
// (and the setting "volume") to the touch's share of the bar's width.
// Above the bar, shown with it, two choices kept in the settings: distances in
// miles ("miles") and the colour-blind-safe colours of right and wrong
// ("colour_safe"), and the language the game speaks (LanguageButton).
// Reads "title" ("sound_delay", "sound_menu_ofs", "sound_widgets").
class SoundVol : public TaskProc {
 public:
  static constexpr float kInTime = 1.5f;     // seconds
  static constexpr float kMenuTime = 0.5f;   // seconds to open or close the bar
  static constexpr float kOutTime = 0.5f;    // seconds of the slide-out
  static constexpr float kSlideFrom = 100.0f;
  static constexpr float kVolumeSteps = 10.0f;  // Left and Right move the volume a tenth

  explicit SoundVol(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool shown() const { return delay_ <= 0.0f; }
  bool menuOpen() const { return open_; }
  const Widget& button() const { return *button_; }
  const Widget& bar() const { return *barOff_; }
  float volume() const;

 private:
  void onBar(int kind, const Vec2<float>& point);
  void stepVolume(int step);

  GameContext* ctx_;
  std::shared_ptr<Widget> button_, barOn_, barOff_;
  HudSlide slide_;
  float delay_;
  float menuOfs_;
  bool open_ = false;
  float menuClock_ = kMenuTime;
  float buttonX_ = 0.0f, buttonFrom_ = 0.0f, buttonTo_ = 0.0f;  // x offset of the button
  float barAlpha_ = 0.0f, barFrom_ = 0.0f, barTo_ = 0.0f;
  float unmutedVolume_ = 1.0f;  // used without a sound system (tests)
  std::unique_ptr<SettingToggle> miles_, colourSafe_;
  std::unique_ptr<LanguageButton> language_;
};

}  // namespace orb
