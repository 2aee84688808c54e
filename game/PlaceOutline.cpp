#include "game/PlaceOutline.h"

#include <GL/gl.h>

#include <algorithm>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/GlobeScale.h"
#include "game/SphereCircle.h"
#include "gfx/Camera.h"
#include "globe/EarthModel.h"
#include "globe/FeedbackPalette.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {
PlaceOutline::PlaceOutline(GameContext* context) : context_(context) {
  if (context_->params) {
    const picojson::value& p = json::at(json::at(context_->params->root(), "learn"), "outline");
    const picojson::value& colour = json::at(p, "colour");
    if (colour.is<picojson::array>()) {
      answerColour_ = {json::realAt(colour, 0), json::realAt(colour, 1), json::realAt(colour, 2)};
    }
    width_ = json::real(p, "width", width_);
    glowWidth_ = json::real(p, "glow_width", glowWidth_);
    glowAlpha_ = json::real(p, "glow_alpha", glowAlpha_);
    fillAlpha_ = json::real(p, "fill_alpha", fillAlpha_);
    lift_ = json::real(p, "lift", lift_);
    step_ = std::max(1e-4f, json::real(p, "step", step_));
    flashTime_ = json::real(p, "flash_time", flashTime_);
    hideTime_ = json::real(p, "hide_time", hideTime_);
    smallPx_ = json::real(p, "small_px", smallPx_);
    ringPx_ = json::real(p, "ring_px", ringPx_);
    tolerancePx_ = json::real(p, "tolerance_px", tolerancePx_);
  }
  GLint bits = 0;
  glGetIntegerv(GL_STENCIL_BITS, &bits);
  stencil_ = bits > 0;
}

void PlaceOutline::start(const Place& place, float seconds, Rgb colour) {
  outline_.build(place, step_);
  colour_ = colour;
  steady_ = false;
  clock_ = 0.0f;
  duration_ = seconds;
  fadeFrom_ = 1.0f;
}

void PlaceOutline::show(const Place& place) {
  start(place, 0.0f, answerColour_);
  steady_ = true;
}

void PlaceOutline::reveal(const Place& place, float seconds) { start(place, seconds, answerColour_); }

void PlaceOutline::flash(const Place& place) {
  const FeedbackPalette::Rgb right = FeedbackPalette(context_->settings).right();
  start(place, flashTime_, {right.r, right.g, right.b});
}

void PlaceOutline::hide() {
  steady_ = false;
  duration_ = 0.0f;
  outline_.clear();
}

void PlaceOutline::fadeOut() {
  const float now = strength();
  if (now <= 0.0f) return;
  steady_ = false;
  fadeFrom_ = now;
  clock_ = 0.0f;
  duration_ = hideTime_;
}

float PlaceOutline::strength() const {
  if (outline_.empty()) return 0.0f;
  if (steady_) return 1.0f;
  if (!(duration_ > 0.0f) || clock_ >= duration_) return 0.0f;
  const float t = clock_ / duration_;
  return fadeFrom_ * (1.0f - t * t);  // holds at first, then goes
}

void PlaceOutline::update(float dt) {
  if (steady_ || outline_.empty()) return;
  clock_ = std::min(clock_ + dt, duration_);
  if (clock_ >= duration_) outline_.clear();  // done: nothing kept, nothing drawn
}

void PlaceOutline::message(int code) {
  if (code == kMsgBackToTitle) retire();
}

void PlaceOutline::draw() {
  ringShown_ = false;
  const float a = strength();
  if (a <= 0.0f || !context_->earth || !context_->camera) return;
  const EarthModel& earth = *context_->earth;
  const float radius = earth.radius;

  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT | GL_CURRENT_BIT | GL_STENCIL_BUFFER_BIT |
               GL_TEXTURE_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixd(earth.sphereModelView.data());
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glDisable(GL_FOG);
  glEnable(GL_BLEND);

  // Vertices closer than tolerancePx_ to the line drawn are left out: under
  // the glow a pixel and a half cannot be told, and every segment costs.
  const Camera& camera = *context_->camera;
  const float pixels = GlobeScale::pixelsPerRadian(camera, radius, camera.distance);
  outline_.prepare(earth.sphereModelView.data(), radius, lift_, pixels > 0.0f ? tolerancePx_ / pixels : 0.0f);
  if (stencil_) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(colour_.r, colour_.g, colour_.b, fillAlpha_ * a);
    outline_.drawFill();
  }
  // The glowing line: one band of triangles whose texture holds the bright
  // core and the faint halo around it (premultiplied, so faded as a whole).
  const float core[3] = {std::min(1.0f, colour_.r + 0.3f), std::min(1.0f, colour_.g + 0.3f),
                         std::min(1.0f, colour_.b + 0.3f)};
  const float glow[3] = {colour_.r, colour_.g, colour_.b};
  glow_.set(core, glow, width_, glowWidth_, glowAlpha_);
  const float height = camera.viewport[3] > 0 ? static_cast<float>(camera.viewport[3]) : GlobeScale::kLayoutHeight;
  const float pixelSize = camera.near > 0.0f ? 2.0f * camera.halfHeight / camera.near / height : 0.0f;
  outline_.layBand(glow_.bandWidth() / 2.0f * pixelSize);
  glEnable(GL_TEXTURE_1D);
  glow_.bind();
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(a, a, a, a);
  outline_.drawBand();
  glDisable(GL_TEXTURE_1D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  if (pixels > 0.0f && outline_.angularRadius() * pixels < smallPx_) {
    ringShown_ = true;
    const Vec3& c = outline_.centre();
    // Only inside the limb: the ring has no depth test to hide it. The third
    // row of the rotation gives the cosine of c's angle from the eye's point.
    const double* m = earth.sphereModelView.data();
    const double facing = m[2] * c.x + m[6] * c.y + m[10] * c.z;
    if (facing > radius / context_->camera->distance) {
      glLineWidth(width_);
      glColor4f(colour_.r, colour_.g, colour_.b, a);
      SphereCircle::draw(c, ringPx_ / pixels, radius * lift_);
    }
  }
  glPopMatrix();
  glPopAttrib();
}

}  // namespace orb
