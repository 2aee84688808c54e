#include "globe/ResetCamera.h"

#include <cstdlib>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/GlobeMath.h"
#include "task/TaskList.h"
#include "task/Messages.h"

namespace orb {
namespace {


Quat normalised(Quat q) {
  q.normalize();
  return q;
}

}  // namespace

ResetCamera::ResetCamera(GameContext* context)
    : startDist(context->camera->distance),
      startOrientation(normalised(context->camera->orientation)),
      targetOrientation(startOrientation),
      context_(context),
      params_(json::at(context->params->root(), "reset_camera")) {
  targetDist = baseDist = json::real(json::at(context->params->root(), "camera"), "dist");
}

void ResetCamera::setTarget(float pitch, float yaw, bool immediate) {
  targetOrientation = quatFromAngles(pitch, yaw);
  if (immediate) {
    startOrientation = targetOrientation;
    context_->camera->orientation = targetOrientation;
  }
}

void ResetCamera::pickRandomDistance() {
  const picojson::value& factors = json::at(params_, "dist");
  const std::size_t n = json::size(factors);
  if (n == 0) return;  // no presets: keep the base distance
  targetDist = baseDist * json::realAt(factors, static_cast<std::size_t>(std::rand()) % n);
}

void ResetCamera::finish() {
  Camera& camera = *context_->camera;
  camera.orientation = targetOrientation;
  camera.distance = targetDist;
  retire();
  if (context_->tasks) context_->tasks->broadcast(kMsgCameraMoveDone);
}

void ResetCamera::update(float dt) {
  if (!alive()) return;
  Camera& camera = *context_->camera;
  if (delay > 0.0f) {
    delay -= dt;
    if (delay > 0.0f) return;
    startOrientation = normalised(camera.orientation);
  }
  elapsed += dt;
  const int curve = static_cast<int>(easing);
  camera.distance = tweened(elapsed, startDist, targetDist, duration, curve);
  const float s = tweened(elapsed, 0.0f, 1.0f, duration, curve);
  camera.orientation = slerp(startOrientation, targetOrientation, s);
  if (elapsed > duration) finish();
}

void ResetCamera::message(int code) {
  if (alive() && (code == kMsgQuestionsBegin || code == kMsgTitleReady)) finish();
}

}  // namespace orb
