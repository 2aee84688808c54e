#pragma once
#include <functional>
#include <memory>
#include <string>

#include "gfx/ButtonPress.h"

namespace orb {

struct GameContext;
class Widget;

// A two-way choice kept as a flag of the settings, shown as the button of the
// choice in force: pressing it flips the flag (saved with the settings at
// exit) and shows the other button. Registered with the touch menu and
// offered to the keyboard while `usable` says so.
class SettingToggle {
 public:
  // off, on: the buttons shown while the flag is false or true, at one place.
  SettingToggle(GameContext* context, std::string key, std::shared_ptr<Widget> off,
                std::shared_ptr<Widget> on, std::function<bool()> usable);

  bool value() const;
  void update(float dt) { press_.update(dt); }
  // At the buttons' place moved by (dx, dy), with alpha.
  void draw(float dx, float dy, float alpha) const;

 private:
  void onTouch(int kind);

  GameContext* ctx_;
  std::string key_;
  std::shared_ptr<Widget> off_, on_;
  std::function<bool()> usable_;
  ButtonPress press_;
};

}  // namespace orb
