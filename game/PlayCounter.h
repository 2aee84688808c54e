#pragma once
#include <memory>
#include <string>

#include "game/HudSlide.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class WidgetSet;
class Widget;

// A HUD panel with a number in large digits at the panel's anchor + the
// section's "num_ofs": slides in from the left at creation, slides out on 25
// and then leaves, leaves at once on 12. The level and found-places counters
// differ only in what they count and how they look.
class PlayCounter : public TaskProc {
 public:
  struct Look {
    const char* widget;   // panel widget of the game screen
    const char* section;  // parameter section holding "num_ofs"
    int digits;           // shown with leading zeros, modulo 10^digits
    float slideInX;       // layout units left of the rest position to start from
  };

  PlayCounter(GameContext* context, std::shared_ptr<const WidgetSet> widgets, const Look& look);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  const HudSlide& slide() const { return slide_; }
  virtual int shownValue() const = 0;

 protected:
  GameContext* context_;

 private:
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> panel_;
  int digits_;
  float numX_ = 0.0f, numY_ = 0.0f;  // "num_ofs"
  HudSlide slide_;
};

}  // namespace orb
