#include "game/SmallPlaceMarks.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/GlobeScale.h"
#include "game/MapCoords.h"
#include "game/Place.h"
#include "game/PlaceDatabase.h"
#include "game/SphereCircle.h"
#include "gfx/Camera.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {
namespace {

// Cosine span over which a mark fades as it nears the limb.
constexpr double kLimbFade = 0.1;

struct Extent {
  Vec3 centre;
  float angle = 0.0f;  // half angle of the cap around centre holding every vertex
  bool valid = false;
};

// Each outline's extent, read once per program run: the level lists of every
// game after the first cost nothing.
const Extent& extentOf(const std::string& path) {
  static std::unordered_map<std::string, Extent> cache;
  const auto found = cache.find(path);
  if (found != cache.end()) return found->second;
  Extent extent;
  Place place;
  if (!path.empty() && place.load(path)) {
    Vec3 sum{};
    for (const Place::Polygon& poly : place.polygons()) {
      for (const Vec2<float>& q : poly) sum = sum + globeFromMap(q);
    }
    if (sum.normalize()) {
      float minCos = 1.0f;
      for (const Place::Polygon& poly : place.polygons()) {
        for (const Vec2<float>& q : poly) minCos = std::min(minCos, sum.dot(globeFromMap(q)));
      }
      extent = {sum, std::acos(std::clamp(minCos, -1.0f, 1.0f)), true};
    }
  }
  return cache.emplace(path, extent).first->second;
}

}  // namespace

SmallPlaceMarks::SmallPlaceMarks(GameContext* context) : context_(context) {
  if (!context_->params || !context_->camera) return;
  const picojson::value& root = context_->params->root();
  const picojson::value& p = json::at(json::at(root, "learn"), "marks");
  const float smallPx = json::real(p, "small_px", 4.0f);
  const float ringPx = json::real(p, "ring_px", 10.0f);
  maxAlpha_ = json::real(p, "alpha", maxAlpha_);
  width_ = json::real(p, "width", width_);
  lift_ = json::real(p, "lift", lift_);
  fadeTime_ = std::max(1e-3f, json::real(p, "fade_time", fadeTime_));
  const float radius = json::real(json::at(root, "earth"), "radius", 400.0f);
  const float normal = json::real(json::at(root, "camera"), "dist");
  const float pixels = GlobeScale::pixelsPerRadian(*context_->camera, radius, normal, GlobeScale::kLayoutHeight);
  if (pixels > 0.0f) {
    smallAngle_ = smallPx / 2.0f / pixels;
    markAngle_ = ringPx / pixels;
  }
}

void SmallPlaceMarks::setPlaces(const std::vector<std::string>& keys) {
  marks_.clear();
  if (!context_->places || !context_->dataDir) return;
  const PlaceDatabase places(context_->places->root(), *context_->dataDir);
  for (const std::string& key : keys) {
    const Extent& e = extentOf(places.outlinePath(key));
    if (e.valid && e.angle <= smallAngle_) marks_.push_back({key, e.centre});
  }
}

bool SmallPlaceMarks::hits(const std::string& key, const Vec3& p) const {
  for (const Mark& mark : marks_) {
    if (mark.key == key) return SphereCircle::holds(mark.centre, markAngle_, p);
  }
  return false;
}

void SmallPlaceMarks::update(float dt) {
  const float step = dt / fadeTime_ * maxAlpha_;
  alpha_ = open_ ? std::min(maxAlpha_, alpha_ + step) : std::max(0.0f, alpha_ - step);
}

void SmallPlaceMarks::message(int code) {
  switch (code) {
    case kMsgTapsOn: open_ = true; break;
    case kMsgTapsOff:
    case kMsgTimeOut:
    case kMsgGameEnding: open_ = false; break;
    case kMsgBackToTitle: retire(); break;
    default: break;
  }
}

void SmallPlaceMarks::draw() {
  if (alpha_ <= 0.0f || marks_.empty() || !context_->earth) return;
  const EarthModel& earth = *context_->earth;
  const double* m = earth.sphereModelView.data();
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixd(m);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glDisable(GL_FOG);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLineWidth(width_);
  const double limb = context_->camera ? earth.radius / std::max(earth.radius, context_->camera->distance) : 0.0;
  for (const Mark& mark : marks_) {
    // The cosine of the centre's angle from the point facing the eye: inside
    // the limb only, fading towards it (no depth test hides the far side).
    const Vec3& c = mark.centre;
    const double facing = m[2] * c.x + m[6] * c.y + m[10] * c.z;
    const float fade = std::clamp(static_cast<float>((facing - limb) / kLimbFade), 0.0f, 1.0f);
    if (fade <= 0.0f) continue;
    glColor4f(1.0f, 1.0f, 1.0f, alpha_ * fade);
    SphereCircle::draw(c, markAngle_, earth.radius * lift_);
  }
  glPopMatrix();
  glPopAttrib();
}

}  // namespace orb
