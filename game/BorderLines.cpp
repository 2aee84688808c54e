#include "game/BorderLines.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/GlobeScale.h"
#include "game/Place.h"
#include "game/PlaceDatabase.h"
#include "game/SphereOutline.h"
#include "gfx/Camera.h"
#include "gfx/MathConstants.h"
#include "gfx/Vec3.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {

// One set of borders (the countries, or one country's divisions), filled a
// few outline files at a time.
struct BorderLines::Set {
  struct Chunk {
    Vec3 centre;          // unit direction
    float reach;          // radians from centre to its farthest vertex
    std::size_t first, count;  // range of `lines`
  };
  // The lines thinned for one range of distances.
  struct Detail {
    std::vector<float> xyz;          // unit directions
    std::vector<unsigned> lines;     // index pairs into xyz
    std::vector<Chunk> chunks;       // runs of up to kChunkSegments segments
  };
  std::vector<std::string> paths;  // the set's outline files
  std::size_t next = 0;            // first file not yet read
  Detail fine;    // thinned for the nearest zoom
  Detail coarse;  // thinned kCoarse times harder, for while the lines fade in
  bool complete() const { return next >= paths.size(); }
};

namespace {

// Long edges are cut to this many map units before they are thinned.
constexpr float kStep = 0.005f;
constexpr const char* kCountryPrefix = "c";
// Short runs: at full zoom most of a long coast is off screen, and a run is
// skipped only when all of it is.
constexpr std::size_t kChunkSegments = 16;
// How much harder the coarse set is thinned. It is drawn only while the lines
// fade in, with the camera at least kCoarse / 2 times as far from the surface
// as at the nearest zoom: there a dropped vertex strays at most twice the
// fine set's tolerance, on a line fainter than at full strength.
constexpr float kCoarse = 5.0f;

// Every set read in this program run, by data folder and name: read once.
std::unordered_map<std::string, std::shared_ptr<BorderLines::Set>>& allSets() {
  static std::unordered_map<std::string, std::shared_ptr<BorderLines::Set>> sets;
  return sets;
}

std::string prefixOf(const std::string& key) {
  const std::size_t cut = key.find('_');
  return cut == std::string::npos ? std::string() : key.substr(0, cut);
}

std::shared_ptr<BorderLines::Set> setFor(const std::string& prefix, const GameContext& ctx) {
  const std::string id = *ctx.dataDir + "|" + prefix;
  auto& sets = allSets();
  const auto found = sets.find(id);
  if (found != sets.end()) return found->second;
  auto set = std::make_shared<BorderLines::Set>();
  const PlaceDatabase places(ctx.places->root(), *ctx.dataDir);
  for (const auto& entry : json::object(ctx.places->root())) {
    if (prefixOf(entry.first) != prefix) continue;
    const std::string path = places.outlinePath(entry.first);
    if (!path.empty()) set->paths.push_back(path);
  }
  sets.emplace(id, set);
  return set;
}

float segmentDistance(const Vec3& p, const Vec3& a, const Vec3& b) {
  const Vec3 ab = b - a;
  const float len2 = ab.dot(ab);
  float t = len2 > 0.0f ? (p - a).dot(ab) / len2 : 0.0f;
  t = std::clamp(t, 0.0f, 1.0f);
  return (p - (a + ab * t)).length();
}

// Douglas-Peucker: marks in keep the vertices a line within tolerance needs.
void thin(const std::vector<Vec3>& pts, float tolerance, std::vector<bool>& keep) {
  keep.assign(pts.size(), false);
  keep.front() = keep.back() = true;
  std::vector<std::pair<std::size_t, std::size_t>> spans{{0, pts.size() - 1}};
  while (!spans.empty()) {
    const auto [a, b] = spans.back();
    spans.pop_back();
    float worst = 0.0f;
    std::size_t at = a;
    for (std::size_t i = a + 1; i < b; ++i) {
      const float d = segmentDistance(pts[i], pts[a], pts[b]);
      if (d > worst) worst = d, at = i;
    }
    if (worst > tolerance) {
      keep[at] = true;
      spans.emplace_back(a, at);
      spans.emplace_back(at, b);
    }
  }
}

void thinInto(BorderLines::Set::Detail& set, const SphereOutline& outline, float tolerance) {
  std::vector<Vec3> pts;
  std::vector<bool> keep;
  std::vector<Vec3> piece;  // the kept points of the chunk in hand
  // A chunk closes every kChunkSegments segments, so a long coast off screen
  // is skipped piece by piece rather than drawn whole.
  auto close = [&set, &piece](std::size_t first) {
    if (piece.size() < 2) return;
    Vec3 centre{};
    for (const Vec3& p : piece) centre = centre + p;
    if (!centre.normalize()) centre = piece.front();
    float minCos = 1.0f;
    for (const Vec3& p : piece) minCos = std::min(minCos, centre.dot(p));
    set.chunks.push_back({centre, std::acos(std::clamp(minCos, -1.0f, 1.0f)), first, set.lines.size() - first});
  };
  for (const std::vector<float>& strip : outline.strips()) {
    pts.clear();
    for (std::size_t i = 0; i + 2 < strip.size(); i += 3) pts.emplace_back(strip[i], strip[i + 1], strip[i + 2]);
    if (pts.size() < 2) continue;
    thin(pts, tolerance, keep);
    bool first = true;
    piece.clear();
    std::size_t start = set.lines.size();
    for (std::size_t i = 0; i < pts.size(); ++i) {
      if (!keep[i]) continue;
      const unsigned index = static_cast<unsigned>(set.xyz.size() / 3);
      set.xyz.insert(set.xyz.end(), {pts[i].x, pts[i].y, pts[i].z});
      piece.push_back(pts[i]);
      if (!first) set.lines.insert(set.lines.end(), {index - 1, index});
      first = false;
      if (piece.size() > kChunkSegments) {
        close(start);
        piece.assign(1, pts[i]);
        start = set.lines.size();
      }
    }
    close(start);
  }
}

void readInto(BorderLines::Set& set, const std::string& path, float tolerance) {
  Place place;
  if (!place.load(path)) return;  // it has said why; the set goes on without it
  SphereOutline outline;
  outline.build(place, kStep);
  if (outline.empty()) return;
  thinInto(set.fine, outline, tolerance);
  thinInto(set.coarse, outline, tolerance * kCoarse);
}

}  // namespace

BorderLines::BorderLines(GameContext* context) : context_(context) {
  if (!context_->params) return;
  const picojson::value& root = context_->params->root();
  const picojson::value& p = json::at(json::at(root, "learn"), "borders");
  startDist_ = json::real(p, "dist", startDist_);
  fullDist_ = std::min(startDist_ - 1.0f, json::real(p, "full_dist", fullDist_));
  maxAlpha_ = json::real(p, "alpha", maxAlpha_);
  width_ = json::real(p, "width", width_);
  lift_ = json::real(p, "lift", lift_);
  filesPerFrame_ = std::max(1, json::integer(p, "files_per_frame", filesPerFrame_));
  // Thinned to what one pixel shows at the nearest zoom of the layout's window.
  const float radius = json::real(json::at(root, "earth"), "radius", 400.0f);
  const float nearest = json::real(json::at(root, "game"), "near_z", radius * 1.25f);
  nearestGap_ = nearest - radius;
  if (context_->camera) {
    const float pixels = GlobeScale::pixelsPerRadian(*context_->camera, radius, nearest, GlobeScale::kLayoutHeight);
    if (pixels > 0.0f) tolerance_ = json::real(p, "tolerance_px", 1.5f) / pixels;
  }
  if (context_->places && context_->dataDir) wanted_.push_back(setFor(kCountryPrefix, *context_));
}

BorderLines::~BorderLines() = default;

void BorderLines::setPlaces(const std::vector<std::string>& keys) {
  if (!context_->places || !context_->dataDir) return;
  wanted_.resize(std::min<std::size_t>(wanted_.size(), 1));
  std::vector<std::string> prefixes;
  for (const std::string& key : keys) {
    const std::string prefix = prefixOf(key);
    // Countries, seas, lakes and oceans have one-letter prefixes; divisions
    // carry their country's two-letter code.
    if (prefix.size() < 2 || std::find(prefixes.begin(), prefixes.end(), prefix) != prefixes.end()) continue;
    prefixes.push_back(prefix);
    wanted_.push_back(setFor(prefix, *context_));
  }
}

bool BorderLines::ready() const {
  return std::all_of(wanted_.begin(), wanted_.end(), [](const auto& s) { return s->complete(); });
}

std::size_t BorderLines::heldFloats() {
  std::size_t n = 0;
  for (const auto& entry : allSets()) {
    for (const Set::Detail* d : {&entry.second->fine, &entry.second->coarse}) n += d->xyz.size() + d->lines.size();
  }
  return n;
}

void BorderLines::loadSome() {
  int budget = filesPerFrame_;
  for (const auto& set : wanted_) {
    while (budget > 0 && !set->complete()) {
      readInto(*set, set->paths[set->next++], tolerance_);
      --budget;
    }
  }
}

void BorderLines::update(float) {
  alpha_ = 0.0f;
  if (!context_->camera || wanted_.empty()) return;
  const float distance = context_->camera->distance;
  if (distance >= startDist_) return;  // far: nothing read, nothing drawn
  if (!ready()) loadSome();
  alpha_ = maxAlpha_ * std::clamp((startDist_ - distance) / (startDist_ - fullDist_), 0.0f, 1.0f);
}

void BorderLines::message(int code) {
  if (code == kMsgBackToTitle) retire();
}

void BorderLines::draw() {
  if (alpha_ <= 0.0f || !context_->earth || !context_->camera) return;
  const EarthModel& earth = *context_->earth;
  const double* m = earth.sphereModelView.data();
  const float radius = earth.radius;
  const float distance = std::max(context_->camera->distance, radius * 1.0001f);
  const Vec3 eyeDir{static_cast<float>(m[2]), static_cast<float>(m[6]), static_cast<float>(m[10])};
  // The part of the globe on screen: within the limb, and within the cone of
  // sight lines through the window's corners (at full zoom far less).
  float cap = std::acos(radius / distance);
  const Camera& camera = *context_->camera;
  const float corner = std::atan(std::hypot(camera.halfWidth, camera.halfHeight) / camera.near);
  const float reach = distance * std::sin(corner) / radius;
  if (reach < 1.0f) cap = std::min(cap, std::asin(reach) - corner);

  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixd(m);
  // A run is skipped when a ball holding it lies wholly beyond one of the
  // window's four edges: the sides of the view pyramid, in eye space (the
  // camera looks down -z; the ball's centre moved by the globe's model-view).
  const float sideX = std::hypot(camera.near, camera.halfWidth), sideY = std::hypot(camera.near, camera.halfHeight);
  auto inWindow = [&](const Set::Chunk& chunk) {
    const Vec3 c = chunk.centre * (radius * lift_);
    const float ex = static_cast<float>(m[0] * c.x + m[4] * c.y + m[8] * c.z + m[12]);
    const float ey = static_cast<float>(m[1] * c.x + m[5] * c.y + m[9] * c.z + m[13]);
    const float ez = static_cast<float>(m[2] * c.x + m[6] * c.y + m[10] * c.z + m[14]);
    const float ball = 2.0f * std::sin(std::min(chunk.reach, kPi / 2.0f) / 2.0f) * radius * lift_ * 1.01f;
    return (std::fabs(ex) * camera.near + ez * camera.halfWidth) / sideX <= ball &&
           (std::fabs(ey) * camera.near + ez * camera.halfHeight) / sideY <= ball;
  };
  // The far side is left out here, segment by segment: a GL clip plane would
  // send every line through llvmpipe's slow clipping path.
  const float limbCos = radius / distance;
  const float limb = std::acos(limbCos);
  glScalef(radius * lift_, radius * lift_, radius * lift_);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glDisable(GL_FOG);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLineWidth(width_);
  glColor4f(1.0f, 1.0f, 1.0f, alpha_);
  glEnableClientState(GL_VERTEX_ARRAY);
  lastSegments_ = 0;
  const bool coarse = distance > fullDist_ && (distance - radius) * 2.0f >= nearestGap_ * kCoarse;
  for (const auto& set : wanted_) {
    if (!set->complete()) continue;  // no half-read set pops in
    const Set::Detail& detail = coarse ? set->coarse : set->fine;
    // The segments of every outline that may face the eye, copied out and
    // drawn in one call: indices into the whole set would make GL transform
    // every vertex between the lowest and the highest index.
    visible_.clear();
    for (const Set::Chunk& chunk : detail.chunks) {
      const float away = std::acos(std::clamp(chunk.centre.dot(eyeDir), -1.0f, 1.0f));
      if (away > cap + chunk.reach || !inWindow(chunk)) continue;
      const bool whole = away + chunk.reach < limb;  // all of it in front of the limb
      for (std::size_t i = chunk.first; i + 1 < chunk.first + chunk.count; i += 2) {
        const float* a = &detail.xyz[static_cast<std::size_t>(detail.lines[i]) * 3];
        const float* b = &detail.xyz[static_cast<std::size_t>(detail.lines[i + 1]) * 3];
        // A segment reaching over the limb is kept: it is shorter than a
        // pixel or two there, where the surface is seen edge-on.
        if (!whole && a[0] * eyeDir.x + a[1] * eyeDir.y + a[2] * eyeDir.z < limbCos &&
            b[0] * eyeDir.x + b[1] * eyeDir.y + b[2] * eyeDir.z < limbCos)
          continue;
        visible_.insert(visible_.end(), a, a + 3);
        visible_.insert(visible_.end(), b, b + 3);
      }
    }
    if (visible_.empty()) continue;
    lastSegments_ += visible_.size() / 6;
    glVertexPointer(3, GL_FLOAT, 0, visible_.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(visible_.size() / 3));
  }
  glDisableClientState(GL_VERTEX_ARRAY);
  glPopMatrix();
  glPopAttrib();
}

}  // namespace orb
