#include "game/LearnExit.h"

#include <algorithm>

#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "gfx/Vec3.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "globe/ResetCamera.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {
constexpr float kRestingViewTime = 3.0f;  // seconds, as after an aborted game
constexpr float kSpinEaseTime = 1.0f;
}  // namespace

void leaveToTitle(GameContext& context) {
  auto move = context.tasks->create<ResetCamera>(kLayerOverlay3D, &context);
  move->easing = kEaseQuadInOut;
  move->duration = kRestingViewTime;
  move->pickRandomDistance();
  if (context.earth) context.earth->startSpinTween(context.earth->defaultSpinSpeed(), kSpinEaseTime, kEaseCircIn);
  context.tasks->broadcast(kMsgControlOff);
  context.backToTitle = true;
}

void flyOver(GameContext& context, const Vec3& point, float seconds, float minDistance) {
  auto move = context.tasks->create<ResetCamera>(kLayerOverlay3D, &context);
  move->easing = kEaseQuadInOut;
  move->duration = seconds;
  const Vec2<float> lonLat = lonLatFromDirection(point);
  const float pitch = std::clamp(lonLat.y, -context.camera->pitchMax, context.camera->pitchMax);
  const float spin = context.earth ? context.earth->spinAngle : 0.0f;
  move->setTarget(pitch, kPi / 2 - lonLat.x - spin * kPi / 180.0f, false);
  move->targetDist = std::max(context.camera->distance, minDistance);
}

}  // namespace orb
