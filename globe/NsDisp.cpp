#include "globe/NsDisp.h"

#include <algorithm>
#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/GrpSprite.h"
#include "gfx/Mat4.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"
#include "globe/LimbView.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr const char* kAtlas = "devdata/game.png";
constexpr double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// 0 at or below edge0, 1 at or above edge1, with a flat start and end so a
// label neither pops in nor stops abruptly.
float smoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}
}  // namespace

NsDisp::NsDisp(GameContext* context) : context_(context) {
  if (context_->textures) {
    const std::string prefix = context_->dataDir ? *context_->dataDir : std::string();
    atlas_ = context_->textures->getTexture(prefix + kAtlas);
  }
  if (context_->params) {
    const picojson::value& p = json::at(context_->params->root(), "nsdisp");
    scale_ = json::real(p, "scale", 1.0f);
  }
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

void NsDisp::drawLabel(const Label& label, const Vec3& point, float visibility,
                       const double* modelView) const {
  const Vec3 w = context_->camera->project(point, modelView);
  const Vec3 at = context_->camera2d->unproject({w.x, w.y}, 0.0f, kIdentity);
  // The place-name panel is drawn later in the same pass: a label under it
  // would show through its translucent box and crowd the name.
  const float height = label.y1 - label.y0;
  const float clear = smoothStep(context_->placeBoxBottom, context_->placeBoxBottom + height, at.y - label.pivotY);
  const float a = fade_.alpha() * visibility * clear;
  if (!(a > 0.0f)) return;
  GrpSprite sprite;
  sprite.texture = atlas_;
  sprite.srcX0 = label.x0;
  sprite.srcY0 = label.y0;
  sprite.srcX1 = label.x1;
  sprite.srcY1 = label.y1;
  sprite.width = label.x1 - label.x0;
  sprite.height = height;
  sprite.pivotX = label.pivotX;
  sprite.pivotY = label.pivotY;
  sprite.x = at.x;
  sprite.y = at.y;
  sprite.r = sprite.g = sprite.b = 1.0f;
  sprite.a = a;
  sprite.draw();
}

void NsDisp::draw() {
  if (!context_->camera || !context_->camera2d || !context_->earth || !atlas_) return;
  Mat4 view;
  view.m = context_->earth->sphereModelView;
  const float r = context_->earth->radius;
  const LimbView limb(view.transformPoint(Vec3()), r);
  // The pole itself, on the surface, decides: the label stands off the globe
  // and may be in sight while the globe hides the ground it names.
  auto visibility = [&](float y) {
    return smoothStep(0.0f, kLimbFade * r, limb.inFront(view.transformPoint(Vec3(0.0f, y, 0.0f))));
  };
  const float d = scale_ * r;
  drawLabel(kNorth, Vec3(0.0f, d, 0.0f), visibility(r), view.data());
  drawLabel(kSouth, Vec3(0.0f, -d, 0.0f), visibility(-r), view.data());
}

}  // namespace orb
