#pragma once
#include <functional>
#include <memory>

#include "gfx/ButtonPress.h"

namespace orb {

struct GameContext;
class Font;
class Texture;
class Widget;

// The language choice of the sound panel: a panel showing the language in
// force by its own name ("Deutsch"); a press moves on to the next shipped
// language (English, the full languages, then the rest, and round again),
// which the game speaks from then on, and keeps it in the settings as "lang"
// for the next start. Registered with the touch menu and offered to the
// keyboard while `usable` says so. Reads "title" ("language_widget") and the
// font "language", which covers every shipped language's letters.
class LanguageButton {
 public:
  // pill: a button of the panel whose art (a pill with a label in its middle)
  // is drawn as its two rounded ends and a stretched plain column between
  // them, so this button looks like its neighbours; null draws a plain panel.
  LanguageButton(GameContext* context, std::shared_ptr<Widget> pill, std::function<bool()> usable);

  void update(float dt) { press_.update(dt); }
  // At the panel's place moved by (dx, dy), with alpha.
  void draw(float dx, float dy, float alpha) const;
  const Widget* widget() const { return widget_.get(); }

 private:
  void onTouch(int kind);
  // Draws the box centred at (x, y), scaled by scale.
  void drawPill(float x, float y, float scale, float alpha) const;

  GameContext* ctx_;
  std::shared_ptr<Widget> widget_, pill_;
  std::function<bool()> usable_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  ButtonPress press_;
};

}  // namespace orb
