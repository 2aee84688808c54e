#pragma once
#include <picojson.h>

#include "gfx/Quat.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// Flies the perspective camera to a target orientation and distance along an
// eased path (task layer 2), after an optional delay, then broadcasts 49 and
// leaves. The creator sets easing, duration, delay and the target after
// construction. Messages 10 and 32 finish the move at once.
class ResetCamera : public TaskProc {
 public:
  explicit ResetCamera(GameContext* context);

  void update(float dt) override;
  void draw() override {}
  void message(int code) override;

  // Target orientation from angles in radians (quatFromAngles); immediate also
  // puts the camera there now, so only the distance is eased.
  void setTarget(float pitch, float yaw, bool immediate);
  // targetDist = baseDist x a random element of "reset_camera"."dist".
  void pickRandomDistance();

  float easing = 0;       // curve number (truncated when used)
  float startDist;        // camera distance at construction
  float targetDist;       // "camera"."dist" unless the creator changes it
  float baseDist;         // "camera"."dist"
  float elapsed = 0;      // seconds
  float duration = 1.0f;  // seconds
  Quat startOrientation;
  Quat targetOrientation;
  float delay = 0;        // seconds before the move starts

 private:
  void finish();

  GameContext* context_;
  picojson::value params_;  // "reset_camera"
};

}  // namespace orb
