#pragma once
#include <memory>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The intro caption before a game: waits "gameintro"."delay" seconds, shows
// the "gameintro" widget for "frame" seconds (fading over "fade" at both ends),
// then announces 20 so the start banner follows. In demonstration play both
// times are zero and 20 goes out at the first update. Ignores every message.
class GameIntro : public TaskProc {
 public:
  // context: the game's shared record; widgets: the game screen's widget set ("gameintro").
  GameIntro(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

  void update(float dt) override;
  void draw() override;
  void message(int) override {}

  bool showing() const;  // the caption is on screen
  float alpha() const;

 private:
  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> caption_;
  float delay_ = 0.0f;  // seconds before the caption
  float frame_ = 0.0f;  // seconds the caption shows
  float fade_ = 0.0f;   // seconds of fade in and out
  float time_ = 0.0f;
};

}  // namespace orb
