#pragma once
#include <memory>

#include "game/HudSlide.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// The found-places counter: the "konahen" panel with the correct count as
// three large digits (leading zeros) at the panel's anchor +
// "playkonahen"."num_ofs". Slides in from the left; slides out on 25 and then
// leaves.
class PlayKonahen : public TaskProc {
 public:
  // context: the game's shared record; widgets: the game screen's widget set ("konahen").
  PlayKonahen(GameContext* context, std::shared_ptr<const WidgetSet> widgets);

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
