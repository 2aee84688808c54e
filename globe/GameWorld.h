#pragma once
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// The globe's task (layer 1): spins the earth, fades the clouds out as the
// camera comes close, keeps the light beside the viewer and draws the earth
// with the perspective camera. Always alive.
class GameWorld : public TaskProc {
 public:
  // Reads the top-level "cloud_dist_max", "cloud_dist_min", "cloud_alpha_max"
  // and "cloud_alpha_min" from the context's parameters.
  explicit GameWorld(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  // Cloud visibility for a camera distance: cloudAlphaMax at or beyond
  // cloudDistMax * cloudFade, falling linearly to cloudAlphaMin at cloudDistMin.
  float cloudLevelAt(float distance) const;

  float cloudFade = 1.0f;  // stretches the distance at which clouds start to fade
  struct FadeTween {
    float elapsed = 0, start = 0, end = 0, duration = 0;
  } fadeTween;
  float cloudDistMax = 0;
  float cloudDistMin = 0;
  float cloudAlphaMax = 1;
  float cloudAlphaMin = 0;

 private:
  void startFade(float to);

  GameContext* context_;
};

}  // namespace orb
