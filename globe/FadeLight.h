#pragma once
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// Eases the earth's light level from its value at creation to `end` over
// `duration` seconds after `delay` (task layer 2). The creator sets end,
// duration, delay and easing after construction. Message 32 starts a waiting
// fade at the next update; 48 jumps to the end value and leaves.
class FadeLight : public TaskProc {
 public:
  explicit FadeLight(GameContext* context);

  void update(float dt) override;
  void draw() override {}
  void message(int code) override;

  int easing = 0;
  float value;            // the current eased level
  float start;            // the earth's light level at creation
  float end = 0;
  float elapsed = 0;      // seconds
  float duration = 1.0f;  // seconds
  float delay = 0;        // seconds

 private:
  GameContext* context_;
};

}  // namespace orb
