#include "game/SphereOutline.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "game/MapCoords.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

// Map edges on the image border (the date line, the poles) are where the map
// cuts the globe open, not borders: they get no line.
constexpr float kSeam = 0.9999f;
// Steps of the limb arcs that close a ring cut by the limb, radians.
constexpr float kLimbStep = kPi / 36.0f;
constexpr float kFillCoarser = 3.0f;

bool onSeam(const Vec2<float>& a, const Vec2<float>& b) {
  const bool sideU = std::fabs(a.x) >= kSeam && std::fabs(b.x) >= kSeam && (a.x > 0) == (b.x > 0);
  const bool sideV = std::fabs(a.y) >= kSeam && std::fabs(b.y) >= kSeam && (a.y > 0) == (b.y > 0);
  return sideU || sideV;
}

// Even-odd crossing test of the origin against a loop given by its plane
// coordinates.
bool loopHoldsOrigin(const std::vector<float>& xs, const std::vector<float>& ys) {
  bool odd = false;
  const std::size_t n = xs.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t j = (i + 1) % n;
    const float ya = ys[i], yb = ys[j];
    if ((ya <= 0.0f) != (yb <= 0.0f)) {
      const float x = xs[i] + (0.0f - ya) * (xs[j] - xs[i]) / (yb - ya);
      if (x > 0.0f) odd = !odd;
    }
  }
  return odd;
}

}  // namespace

void SphereOutline::clear() {
  rings_.clear();
  strips_.clear();
  fill_.clear();
  loopStart_.clear();
  loopCount_.clear();
  place_ = Place();
  angle_ = 0.0f;
}

void SphereOutline::build(const Place& place, float maxStep) {
  clear();
  place_ = place;
  Vec3 sum{};
  for (const Place::Polygon& poly : place.polygons()) {
    if (poly.size() < 2) continue;
    Ring ring;
    const std::size_t n = poly.size();
    for (std::size_t i = 0; i < n; ++i) {
      const Vec2<float>& a = poly[i];
      const Vec2<float>& b = poly[(i + 1) % n];
      const float len = std::hypot(b.x - a.x, b.y - a.y);
      const int pieces = std::max(1, static_cast<int>(std::ceil(len / maxStep)));
      const bool drawn = !onSeam(a, b);
      for (int k = 0; k < pieces; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(pieces);
        const Vec3 p = globeFromMap(Vec2<float>(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t));
        ring.points.push_back(p);
        ring.drawn.push_back(drawn);
        sum = sum + p;
      }
    }
    weigh(ring);
    rings_.push_back(std::move(ring));
  }
  if (rings_.empty()) return;

  centre_ = sum;
  if (!centre_.normalize()) centre_ = rings_.front().points.front();
  float minCos = 1.0f;
  for (const Ring& ring : rings_) {
    for (const Vec3& p : ring.points) minCos = std::min(minCos, centre_.dot(p));
  }
  angle_ = std::acos(std::clamp(minCos, -1.0f, 1.0f));

  // Line strips: a ring without seams is one closed strip; otherwise each run
  // between seam edges is a strip of its own.
  for (const Ring& ring : rings_) {
    const std::size_t n = ring.points.size();
    std::size_t start = 0;
    const auto seam = std::find(ring.drawn.begin(), ring.drawn.end(), false);
    if (seam != ring.drawn.end()) start = static_cast<std::size_t>(seam - ring.drawn.begin()) + 1;
    std::vector<float> strip;
    auto put = [&strip](const Vec3& p) { strip.insert(strip.end(), {p.x, p.y, p.z}); };
    put(ring.points[start % n]);
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t i = (start + k) % n;
      if (ring.drawn[i]) {
        put(ring.points[(i + 1) % n]);
      } else {
        if (strip.size() >= 6) strips_.push_back(std::move(strip));
        strip.clear();
        put(ring.points[(i + 1) % n]);
      }
    }
    if (strip.size() >= 6) strips_.push_back(std::move(strip));
  }
}

Vec3 SphereOutline::limbPoint(float angle) const {
  return eyeDir_ * limbCos_ + (e1_ * std::cos(angle) + e2_ * std::sin(angle)) * limbSin_;
}

float SphereOutline::limbAngle(const Vec3& p) const { return std::atan2(p.dot(e2_), p.dot(e1_)); }

void SphereOutline::weigh(Ring& ring) {
  const std::size_t n = ring.points.size();
  constexpr float kAlways = 1e30f;
  ring.weight.assign(n, 0.0f);
  ring.weight[0] = kAlways;
  for (std::size_t i = 0; i < n; ++i) {
    if (!ring.drawn[i]) ring.weight[i] = ring.weight[(i + 1) % n] = kAlways;  // seam ends stay
  }
  // Douglas-Peucker over the ring opened at point 0 (index n is point 0 again),
  // each point weighed by the chord error that splits at it, never more than
  // its parent's, so the points kept at any tolerance form the same line
  // Douglas-Peucker would give.
  struct Span {
    std::size_t a, b;
    float parent;
  };
  std::vector<Span> spans{{0, n, kAlways}};
  while (!spans.empty()) {
    const Span span = spans.back();
    spans.pop_back();
    if (span.b <= span.a + 1) continue;
    const Vec3& pa = ring.points[span.a % n];
    const Vec3& pb = ring.points[span.b % n];
    const Vec3 ab = pb - pa;
    const float len2 = ab.dot(ab);
    float worst = -1.0f;
    std::size_t at = span.a + 1;
    for (std::size_t i = span.a + 1; i < span.b; ++i) {
      const Vec3 ap = ring.points[i] - pa;
      const float t = len2 > 0.0f ? std::clamp(ap.dot(ab) / len2, 0.0f, 1.0f) : 0.0f;
      const float d = (ap - ab * t).length();
      if (d > worst) worst = d, at = i;
    }
    const float w = std::min(worst, span.parent);
    ring.weight[at] = std::max(ring.weight[at], w);
    spans.push_back({span.a, at, w});
    spans.push_back({at, span.b, w});
  }
}

void SphereOutline::appendPoint(const Vec3& unit) {
  fill_.insert(fill_.end(), {unit.x * drawRadius_, unit.y * drawRadius_, unit.z * drawRadius_});
}

void SphereOutline::addLinePoint(const Vec3& unit) {
  lines_.insert(lines_.end(), {unit.x * drawRadius_, unit.y * drawRadius_, unit.z * drawRadius_});
}

void SphereOutline::endLine() {
  // The strip in hand becomes separate segments: every line of the outline
  // then goes to GL in one call (a call costs more than many segments).
  const std::size_t points = (lines_.size() - openLine_) / 3;
  for (std::size_t i = 0; i + 1 < points; ++i) {
    const float* a = &lines_[openLine_ + i * 3];
    segments_.insert(segments_.end(), {a[0], a[1], a[2], a[3], a[4], a[5]});
  }
  if (points >= 2) {
    runStart_.push_back(runs_.size() / 3);
    runs_.insert(runs_.end(), lines_.begin() + static_cast<std::ptrdiff_t>(openLine_), lines_.end());
  }
  lines_.resize(openLine_);
}

void SphereOutline::addLimbArc(float fromAngle, float toAngle) {
  // Always counter-clockwise: any consistent choice closes the rings up to the
  // whole visible disc, which prepare() corrects afterwards.
  while (toAngle < fromAngle) toAngle += 2.0f * kPi;
  const int steps = static_cast<int>((toAngle - fromAngle) / kLimbStep);
  for (int i = 1; i <= steps; ++i) appendPoint(limbPoint(fromAngle + static_cast<float>(i) * kLimbStep));
}

void SphereOutline::closeLoop() {
  const std::size_t floats = fill_.size() - openLoop_;
  if (floats < 9) {
    fill_.resize(openLoop_);
    return;
  }
  // Whether this loop holds the point facing the eye, by its plane coordinates.
  const std::size_t count = floats / 3;
  std::vector<float> xs(count), ys(count);
  Vec3 mean{};
  for (std::size_t i = 0; i < count; ++i) {
    const Vec3 p{fill_[openLoop_ + i * 3], fill_[openLoop_ + i * 3 + 1], fill_[openLoop_ + i * 3 + 2]};
    xs[i] = p.dot(e1_);
    ys[i] = p.dot(e2_);
    mean = mean + p;
  }
  if (loopHoldsOrigin(xs, ys)) odd_ = !odd_;
  // The fan turns about the loop's mean, not a vertex: its triangles are
  // shorter, so fewer pixels are counted over and over.
  mean = mean * (1.0f / static_cast<float>(count));
  const float first[3] = {fill_[openLoop_], fill_[openLoop_ + 1], fill_[openLoop_ + 2]};
  fill_.insert(fill_.end(), first, first + 3);
  fill_.insert(fill_.begin() + static_cast<std::ptrdiff_t>(openLoop_), {mean.x, mean.y, mean.z});
  loopStart_.push_back(static_cast<int>(openLoop_ / 3));
  loopCount_.push_back(static_cast<int>(count + 2));
  openLoop_ = fill_.size();
}

void SphereOutline::prepare(const double* m, float globeRadius, float lift, float tolerance) {
  fill_.clear();
  loopStart_.clear();
  loopCount_.clear();
  lines_.clear();
  segments_.clear();
  runs_.clear();
  runStart_.clear();
  band_.clear();
  bandS_.clear();
  triangles_.clear();
  openLoop_ = openLine_ = 0;
  odd_ = false;
  if (rings_.empty()) return;

  // The eye in model space: minus the transposed rotation times the translation.
  const double tx = m[12], ty = m[13], tz = m[14];
  Vec3 eye{static_cast<float>(-(m[0] * tx + m[1] * ty + m[2] * tz)),
           static_cast<float>(-(m[4] * tx + m[5] * ty + m[6] * tz)),
           static_cast<float>(-(m[8] * tx + m[9] * ty + m[10] * tz))};
  const float distance = eye.length();
  if (!(distance > globeRadius)) return;  // inside the globe nothing is drawn
  eye_ = eye;
  eyeDir_ = eye * (1.0f / distance);
  limbCos_ = globeRadius / distance;
  limbSin_ = std::sqrt(std::max(0.0f, 1.0f - limbCos_ * limbCos_));
  drawRadius_ = globeRadius * lift;
  e1_ = std::fabs(eyeDir_.y) < 0.9f ? Vec3(0.0f, 1.0f, 0.0f).cross(eyeDir_) : Vec3(1.0f, 0.0f, 0.0f).cross(eyeDir_);
  e1_.normalize();
  e2_ = eyeDir_.cross(e1_);

  for (const Ring& ring : rings_) {
    const std::size_t total = ring.points.size();
    std::size_t n = 0;
    auto keep = [&](float within) {
      kept_.clear();
      for (std::size_t i = 0; i < total; ++i)
        if (ring.weight[i] >= within) kept_.push_back(i);
      n = kept_.size();
      return n >= 3;  // else smaller than the tolerance
    };
    if (!keep(tolerance)) continue;
    auto point = [&](std::size_t k) -> const Vec3& { return ring.points[kept_[k % n]]; };
    auto side = [&](std::size_t k) { return point(k).dot(eyeDir_) - limbCos_; };
    auto crossing = [&](std::size_t a, std::size_t b) {
      const float sa = side(a), sb = side(b);
      const float t = sa / (sa - sb);
      const Vec3 q = point(a) + (point(b) - point(a)) * t;
      return limbPoint(limbAngle(q));  // onto the limb circle itself
    };

    // The lines: the visible runs of the drawn edges.
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t ia = kept_[k], ib = kept_[(k + 1) % n];
      if (ib == (ia + 1) % total && !ring.drawn[ia]) {
        endLine();
        continue;
      }
      const bool va = side(k) > 0.0f, vb = side(k + 1) > 0.0f;
      if (va && lines_.size() == openLine_) addLinePoint(point(k));
      if (va && vb) {
        addLinePoint(point(k + 1));
      } else if (va) {
        addLinePoint(crossing(k, k + 1));
        endLine();
      } else if (vb) {
        endLine();
        addLinePoint(crossing(k, k + 1));
        addLinePoint(point(k + 1));
      }
    }
    endLine();

    // The fill's edge lies under the line: it may stray further, and fewer
    // vertices mean fewer pixels counted over and over.
    if (!keep(tolerance * kFillCoarser)) continue;
    // The fill: start just after the ring enters the visible cap; a ring
    // wholly in it is copied.
    std::size_t entry = n;
    bool anyVisible = false;
    for (std::size_t k = 0; k < n; ++k) {
      const bool here = side(k) > 0.0f;
      anyVisible = anyVisible || here;
      if (here && side(k + n - 1) <= 0.0f) {
        entry = k;
        break;
      }
    }
    if (!anyVisible) continue;
    if (entry == n) {
      for (std::size_t k = 0; k < n; ++k) appendPoint(point(k));
      closeLoop();
      continue;
    }
    const float firstEntry = limbAngle(crossing(entry + n - 1, entry));
    appendPoint(limbPoint(firstEntry));
    float exitAngle = 0.0f;
    for (std::size_t k = 0; k < n; ++k) {
      const std::size_t a = entry + k, b = a + 1;
      const bool va = side(a) > 0.0f, vb = side(b) > 0.0f;
      if (va) appendPoint(point(a));
      if (va && !vb) {
        const Vec3 x = crossing(a, b);
        appendPoint(x);
        exitAngle = limbAngle(x);
      } else if (!va && vb) {
        const Vec3 y = crossing(a, b);
        addLimbArc(exitAngle, limbAngle(y));
        if (b % n != entry) appendPoint(y);
      }
    }
    closeLoop();
  }

  // The rings closed along the limb are right up to the whole disc: compare
  // with the truth at the point facing the eye and add the disc when they differ.
  if (odd_ != place_.inside(mapFromGlobe(eyeDir_))) {
    for (float a = 0.0f; a < 2.0f * kPi; a += kLimbStep) appendPoint(limbPoint(a));
    closeLoop();
  }
  // Every fan as separate triangles, so each stencil pass is one call.
  for (std::size_t l = 0; l < loopStart_.size(); ++l) {
    const float* fan = &fill_[static_cast<std::size_t>(loopStart_[l]) * 3];
    for (int i = 1; i + 1 < loopCount_[l]; ++i) {
      const float* b = fan + i * 3;
      triangles_.insert(triangles_.end(), {fan[0], fan[1], fan[2], b[0], b[1], b[2], b[3], b[4], b[5]});
    }
  }
}

void SphereOutline::drawLines() const {
  if (segments_.empty()) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, segments_.data());
  glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(segments_.size() / 3));
  glDisableClientState(GL_VERTEX_ARRAY);
}

void SphereOutline::layBand(float halfWidth) {
  band_.clear();
  bandS_.clear();
  std::vector<Vec3> side;  // per point: the offset to the band's edge at s = 0
  for (std::size_t r = 0; r < runStart_.size(); ++r) {
    const std::size_t first = runStart_[r];
    const std::size_t end = r + 1 < runStart_.size() ? runStart_[r + 1] : runs_.size() / 3;
    const std::size_t n = end - first;
    auto at = [&](std::size_t i) {
      const float* p = &runs_[(first + i) * 3];
      return Vec3{p[0], p[1], p[2]};
    };
    const bool closed = n > 3 && at(0) == at(n - 1);  // a whole ring: its ends meet at a mitre too
    // Across a segment, square to it and to the sight line: straight across on screen.
    auto across = [&](const Vec3& a, const Vec3& b, const Vec3& p) {
      Vec3 c = (b - a).cross(p - eye_);
      return c.normalize() ? c : Vec3{};
    };
    side.assign(n, Vec3{});
    for (std::size_t i = 0; i < n; ++i) {
      const Vec3 p = at(i);
      const bool hasPrev = i > 0 || closed, hasNext = i + 1 < n || closed;
      const Vec3 prev = hasPrev ? at(i > 0 ? i - 1 : n - 2) : p;
      const Vec3 next = hasNext ? at(i + 1 < n ? i + 1 : 1) : p;
      const Vec3 in = hasPrev ? across(prev, p, p) : Vec3{};
      const Vec3 out = hasNext ? across(p, next, p) : Vec3{};
      Vec3 mitre = in + out;
      float scale = 1.0f;
      if (mitre.normalize()) {
        // A sharp corner would throw the mitre far out: capped, so such a
        // corner is a little thinner instead.
        const float c = std::max(mitre.dot(hasNext ? out : in), 0.8f);
        scale = 1.0f / c;
      }
      const float depth = (eye_ - p).dot(eyeDir_);
      side[i] = mitre * (halfWidth * depth * scale);
    }
    // One strip for every run: a run's first pair repeated, and the last pair
    // of the run before, join them by triangles of no area.
    for (std::size_t i = 0; i < n; ++i) {
      const Vec3 p = at(i);
      const Vec3 q[2] = {p + side[i], p - side[i]};
      const int copies = (i == 0 && !band_.empty()) ? 2 : 1;
      for (int k = 0; k < 2; ++k) {
        for (int c = k == 0 ? copies : 1; c > 0; --c) {
          band_.insert(band_.end(), {q[k].x, q[k].y, q[k].z});
          bandS_.push_back(static_cast<float>(k));
        }
      }
    }
    if (band_.size() >= 3) {
      const float* end = band_.data() + band_.size() - 3;
      const float copy[3] = {end[0], end[1], end[2]};
      band_.insert(band_.end(), copy, copy + 3);
      bandS_.push_back(bandS_.back());
    }
  }
  // The copy after the last run joins nothing.
  if (!band_.empty()) {
    band_.resize(band_.size() - 3);
    bandS_.pop_back();
  }
}

void SphereOutline::drawBand() const {
  if (band_.empty()) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, band_.data());
  glTexCoordPointer(1, GL_FLOAT, 0, bandS_.data());
  glDrawArrays(GL_TRIANGLE_STRIP, 0, static_cast<GLsizei>(band_.size() / 3));
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

void SphereOutline::drawFill() const {
  if (triangles_.empty()) return;
  const GLsizei count = static_cast<GLsizei>(triangles_.size() / 3);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, triangles_.data());
  glClearStencil(0);
  glClear(GL_STENCIL_BUFFER_BIT);
  glEnable(GL_STENCIL_TEST);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glStencilFunc(GL_ALWAYS, 0, ~0u);
  glStencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
  glDrawArrays(GL_TRIANGLES, 0, count);
  // The same triangles cover every set pixel; zeroing on the first pass blends each once.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glStencilFunc(GL_NOTEQUAL, 0, ~0u);
  glStencilOp(GL_KEEP, GL_KEEP, GL_ZERO);
  glDrawArrays(GL_TRIANGLES, 0, count);
  glDisable(GL_STENCIL_TEST);
  glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace orb
