#include "globe/TouchEft.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "gfx/Easing.h"
#include "gfx/GrpSprite.h"
#include "gfx/MathConstants.h"
#include "gfx/Texture.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"
#include "globe/FeedbackPalette.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {
namespace {

// The tap ring's cell in the HUD atlas.
constexpr float kRingX0 = 305, kRingY0 = 75, kRingX1 = 362, kRingY1 = 132;
constexpr float kRadToDeg = 180.0f / kPi;

// How squarely the globe point faces the eye, from the sphere's model-view:
// 1 facing, 0 on the limb, negative behind. Its fade hides a flash whose
// point the player has turned away.
float facing(const double* m, const Vec3& dir, float radius) {
  auto row = [&](int r, const Vec3& v, double w) {
    return m[r] * v.x + m[4 + r] * v.y + m[8 + r] * v.z + m[12 + r] * w;
  };
  const Vec3 p = dir * radius;
  const Vec3 eye{static_cast<float>(row(0, p, 1)), static_cast<float>(row(1, p, 1)),
                 static_cast<float>(row(2, p, 1))};
  Vec3 normal{static_cast<float>(row(0, dir, 0)), static_cast<float>(row(1, dir, 0)),
              static_cast<float>(row(2, dir, 0))};
  Vec3 toEye = eye * -1.0f;
  if (!normal.normalize() || !toEye.normalize()) return 0.0f;
  return normal.dot(toEye);
}

}  // namespace

TouchEft::TouchEft(GameContext* context) : context_(context) {
  if (context_->textures && context_->dataDir) {
    atlas_ = context_->textures->getTexture(*context_->dataDir + "devdata/game.png");
  }
}

TouchEft::~TouchEft() = default;

void TouchEft::start(bool red, float duration, bool right) {
  point_ = context_->touchPoint;
  red_ = red;
  // The setting may have changed on the title since the last game.
  const FeedbackPalette palette(context_->settings);
  colour_ = right ? palette.right() : palette.danger();
  duration_ = duration;
  clock_ = 0.0f;
  alpha_ = 1.0f;
  active_ = point_.normalize();
}

void TouchEft::message(int code) {
  switch (code) {
    case kMsgCorrect: start(true, kCorrectTime, true); break;
    case kMsgMiss: start(false, kMissTime); break;
    case kMsgTimeOut: start(true, kTimeOutTime); break;
    case kMsgBackToTitle: active_ = false; break;
    default: break;
  }
}

void TouchEft::update(float dt) {
  if (!active_) return;
  clock_ = std::min(clock_ + dt, duration_);
  alpha_ = tweened(clock_, 1.0f, 0.0f, duration_, kEaseQuartIn);
  active_ = clock_ < duration_;
}

void TouchEft::draw() {
  if (!active_ || !context_->earth || !atlas_ || atlas_->empty()) return;
  const EarthModel& earth = *context_->earth;
  // Fully shown until the point is within about 10 degrees of the limb.
  const float face = std::clamp(facing(earth.sphereModelView.data(), point_, earth.radius) / 0.17f, 0.0f, 1.0f);
  if (face <= 0.0f) return;

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixd(earth.sphereModelView.data());
  const Vec3 z(0.0f, 0.0f, 1.0f);
  const Vec3 axis = z.cross(point_);
  const float angle = std::acos(std::clamp(z.dot(point_), -1.0f, 1.0f)) * kRadToDeg;
  if (axis.length() > 0.0f) {
    glRotatef(angle, axis.x, axis.y, axis.z);
  } else if (point_.z < 0.0f) {
    glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
  }
  glTranslatef(0.0f, 0.0f, earth.radius);
  glScalef(kScale, kScale, 1.0f);

  const GLboolean culling = glIsEnabled(GL_CULL_FACE);
  glDisable(GL_CULL_FACE);  // the facing fade above hides the far side
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  GrpSprite ring;
  ring.texture = atlas_;
  ring.width = ring.height = kSize;
  ring.pivotX = ring.pivotY = kSize / 2;
  ring.srcX0 = kRingX0;
  ring.srcY0 = kRingY0;
  ring.srcX1 = kRingX1;
  ring.srcY1 = kRingY1;
  ring.r = red_ ? colour_.r : 1.0f;
  ring.g = red_ ? colour_.g : 1.0f;
  ring.b = red_ ? colour_.b : 1.0f;
  ring.a = alpha_ * face;
  ring.draw();
  if (culling) glEnable(GL_CULL_FACE);
  glPopMatrix();
}

}  // namespace orb
