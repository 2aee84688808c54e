#pragma once
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// The small sight at the screen centre where Space or Enter answer. Shown
// while the context says the keyboard aims (the camera control decides);
// drawn above every screen (task layer 5, in the 2D projection, whose origin
// is the screen centre).
class Reticle : public TaskProc {
 public:
  static constexpr float kRadius = 14.0f;  // layout units
  static constexpr float kTick = 7.0f;     // length of the four ticks outside the ring

  explicit Reticle(GameContext* context) : context_(context) {}

  void update(float) override {}
  void draw() override;
  void message(int) override {}

 private:
  GameContext* context_;
};

}  // namespace orb
