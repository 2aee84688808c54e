#include "globe/GameWorld.h"

#include <GL/gl.h>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "globe/EarthModel.h"
#include "globe/Light.h"
#include "task/Messages.h"

namespace orb {
namespace {

// During a normal-mode game the clouds fade out from further away, so the
// surface is clear sooner while the player zooms in.
constexpr float kGameCloudFade = 1.5f;
constexpr float kFadeSeconds = 1.5f;
constexpr int kLinear = 0;

}  // namespace

GameWorld::GameWorld(GameContext* context) : context_(context) {
  const picojson::value& root = context_->params->root();
  cloudDistMax = json::real(root, "cloud_dist_max");
  cloudDistMin = json::real(root, "cloud_dist_min");
  cloudAlphaMax = json::real(root, "cloud_alpha_max", 1.0f);
  cloudAlphaMin = json::real(root, "cloud_alpha_min");
}

void GameWorld::update(float dt) {
  if (context_->earth) context_->earth->update(dt);
  if (fadeTween.duration > fadeTween.elapsed) {
    fadeTween.elapsed += dt;
    cloudFade = tweened(fadeTween.elapsed, fadeTween.start, fadeTween.end, fadeTween.duration, kLinear);
  }
}

float GameWorld::cloudLevelAt(float distance) const {
  const float far = cloudDistMax * cloudFade;
  float c = 1.0f;
  if (far > distance) {
    // far > distance >= ... ; a range that has collapsed (far <= min) means fully faded.
    c = far > cloudDistMin ? (distance - cloudDistMin) / (far - cloudDistMin) : 0.0f;
    if (c < 0.0f) c = 0.0f;
  }
  return cloudAlphaMin + (cloudAlphaMax - cloudAlphaMin) * c;
}

void GameWorld::draw() {
  Camera* camera = context_->camera;
  EarthModel* earth = context_->earth;
  if (!camera || !earth) return;
  earth->cloudLevel = cloudLevelAt(camera->distance);
  glEnable(GL_CULL_FACE);
  glEnable(GL_NORMALIZE);
  camera->apply();
  if (context_->light) {
    Light& light = *context_->light;
    const Vec3 p = camera->inverseRotation.transformPoint({light.offset[0], light.offset[1], light.offset[2]});
    light.position = {p.x, p.y, p.z, light.position[3]};
  }
  earth->draw();
}

void GameWorld::startFade(float to) {
  fadeTween.start = cloudFade;
  fadeTween.end = to;
  fadeTween.elapsed = 0.0f;
  fadeTween.duration = kFadeSeconds;
}

void GameWorld::message(int code) {
  if (code == kMsgGameCreated && context_->mode == kModeNormal) startFade(kGameCloudFade);
  if (code == kMsgBackToTitle) startFade(1.0f);
}

}  // namespace orb
