#pragma once
#include <memory>

#include "game/HudSlide.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The level counter: the "level" panel with the level number (level index + 1)
// as one large digit at the panel's anchor + "playlevel"."num_ofs". Slides in
// from the left; slides out on 25 and then leaves.
class PlayLevel : public TaskProc {
 public:
  // context: the game's shared record; widgets: the game screen's widget set ("level").
  PlayLevel(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;
  bool alive() const override { return alive_; }

  const HudSlide& slide() const { return slide_; }
  int shownValue() const;

 private:
  GameContext* context_;
  bool alive_ = true;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> panel_;
  float numX_ = 0.0f, numY_ = 0.0f;  // "num_ofs"
  HudSlide slide_;
  bool closing_ = false;
};

}  // namespace orb
