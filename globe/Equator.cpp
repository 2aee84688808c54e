#include "globe/Equator.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/Easing.h"
#include "gfx/GrpDashedCircle.h"
#include "gfx/Mat4.h"
#include "globe/EarthModel.h"
#include "globe/LimbView.h"
#include "task/Messages.h"

namespace orb {

Equator::Equator(GameContext* context) : context_(context) {
  if (context_->params) {
    const picojson::value& p = json::at(context_->params->root(), "equator");
    scale_ = json::real(p, "scale", 1.0f);
    div_ = json::integer(p, "div");
  }
}

void Equator::fogRange(float distance, float radius, float far, float reach, float reachByDistance,
                       float& start, float& end) {
  const float ratio = distance > 0.0f ? std::clamp(radius / distance, 0.0f, 1.0f) : 1.0f;
  const float c = std::cos(std::asin(ratio));
  start = distance * c * c;
  end = start + reach - reachByDistance * (far > 0.0f ? distance / far : 0.0f);
}

void Equator::update(float dt) {
  if (!fade_.update(dt)) retire();
}

void Equator::message(int code) {
  if (code == kMsgGameEnding) {  // fade out
    fade_.close();
  } else if (code == kMsgBackToTitle) {
    retire();
  }
}

void Equator::draw() {
  if (!context_->camera || !context_->earth) return;
  const float radius = context_->earth->radius;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);  // the circle's plane becomes the equator's
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);

  float fogStart = 0.0f, fogEnd = 0.0f;
  fogRange(context_->camera->distance, radius, context_->camera->far, kFogReach,
           kFogReachByDistance, fogStart, fogEnd);
  const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogfv(GL_FOG_COLOR, black);
  glFogf(GL_FOG_START, fogStart);
  glFogf(GL_FOG_END, fogEnd);
  glEnable(GL_FOG);

  GrpDashedCircle circle;
  circle.radiusX = circle.radiusY = scale_ * radius;
  circle.dashes = div_;
  circle.r = 1.0f;
  circle.a = fade_.alpha();
  circle.blendMode = 1;  // additive
  circle.lineWidth = kLineWidth;
  circle.smooth = true;
  // Without a depth buffer the globe cannot cover the far half, so it is left
  // out where the globe stands in front of it; beyond the limb it stays, and
  // the fog fades it there. The circle's (x, y) lie at (x, 0, y) in the
  // globe's frame once rotated.
  Mat4 view;
  view.m = context_->camera->modelView;
  const LimbView limb(view.transformPoint(Vec3()), radius);
  circle.visible = [&](float x, float y) { return !limb.hides(view.transformPoint(Vec3(x, 0.0f, y))); };
  circle.draw();

  glDisable(GL_FOG);
  glPopMatrix();
}

}  // namespace orb
