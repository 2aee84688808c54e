#include "globe/NsDisp.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/GrpSprite.h"
#include "gfx/MathConstants.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr const char* kAtlas = "devdata/game.png";
constexpr double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}  // namespace

NsDisp::NsDisp(GameContext* context) : context_(context) {
  if (context_->textures) {
    const std::string prefix = context_->dataDir ? *context_->dataDir : std::string();
    atlas_ = context_->textures->getTexture(prefix + kAtlas);
  }
  if (context_->params) {
    scale_ = json::real(json::at(context_->params->root(), "nsdisp"), "scale", 1.0f);
  }
}

float NsDisp::poleFade(const Vec3& pole, const Vec3& centre) {
  Vec3 v = pole - centre;
  v.z *= kDepthStretch;
  if (!v.normalize()) return 1.0f;
  const float c = v.dot(Vec3(0.0f, 0.0f, -1.0f));
  const float theta = c >= 1.0f ? 0.0f : std::acos(std::max(-1.0f, c));
  return theta <= kHalfPi ? 1.0f : std::max(0.0f, std::cos(theta - kHalfPi));
}

void NsDisp::update(float dt) {
  if (!fade_.update(dt)) retire();
}

void NsDisp::message(int code) {
  if (code == kMsgGameEnding) {  // fade out
    fade_.close();
  } else if (code == kMsgBackToTitle) {
    retire();
  }
}

void NsDisp::drawLabel(const Label& label, const Vec3& pole, const Vec3& centre,
                       const double* modelView) const {
  const Vec3 w = context_->camera->project(pole, modelView);
  const float fade = poleFade(w, centre);
  const Vec3 at = context_->camera2d->unproject({w.x, w.y}, 0.0f, kIdentity);
  GrpSprite sprite;
  sprite.texture = atlas_;
  sprite.srcX0 = label.x0;
  sprite.srcY0 = label.y0;
  sprite.srcX1 = label.x1;
  sprite.srcY1 = label.y1;
  sprite.width = label.x1 - label.x0;
  sprite.height = label.y1 - label.y0;
  sprite.pivotX = label.pivotX;
  sprite.pivotY = label.pivotY;
  sprite.x = at.x;
  sprite.y = at.y;
  sprite.r = sprite.g = sprite.b = 1.0f;
  sprite.a = fade_.alpha() * fade;
  sprite.draw();
}

void NsDisp::draw() {
  if (!context_->camera || !context_->camera2d || !context_->earth || !atlas_) return;
  const double* m = context_->earth->sphereModelView.data();
  const float d = scale_ * context_->earth->radius;
  const Vec3 centre = context_->camera->project(Vec3(0.0f, 0.0f, 0.0f), m);
  drawLabel(kNorth, Vec3(0.0f, d, 0.0f), centre, m);
  drawLabel(kSouth, Vec3(0.0f, -d, 0.0f), centre, m);
}

}  // namespace orb
