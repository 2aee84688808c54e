#include "game/Place.h"

#include <algorithm>
#include <iostream>

#include "game/OutlineReader.h"

namespace orb {

namespace {
// Room for the largest outlines without reallocation.
constexpr std::size_t kReservedPolygons = 256;
// The outline grid: 200 units span the longitudes, 100 the latitudes.
constexpr float kGridHalfWidth = 100.0f;
constexpr float kGridHalfHeight = 50.0f;

// Even-odd crossing test of one polygon. An edge counts when the point's v is
// in [lower end, upper end) and the point lies to its right, so a vertex
// shared by two edges is counted once and horizontal edges never count.
bool insidePolygon(const Place::Polygon& poly, const Vec2<float>& p) {
  bool odd = false;
  const std::size_t n = poly.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2<float>& a = poly[i];
    const Vec2<float>& b = poly[(i + 1) % n];
    const Vec2<float>& lo = (b.y < a.y) ? b : a;
    const Vec2<float>& hi = (b.y < a.y) ? a : b;
    if (lo.y <= p.y && p.y < hi.y) {
      const float x = lo.x + (p.y - lo.y) * (hi.x - lo.x) / (hi.y - lo.y);
      if (p.x > x) odd = !odd;
    }
  }
  return odd;
}

// Whether some edge of the polygon passes closer than r (squared: r2) to p.
bool nearPolygon(const Place::Polygon& poly, const Vec2<float>& p, float r2) {
  const std::size_t n = poly.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2<float>& a = poly[i];
    const Vec2<float>& b = poly[(i + 1) % n];
    const float ex = b.x - a.x, ey = b.y - a.y;
    const float len2 = ex * ex + ey * ey;
    if (len2 == 0.0f) continue;  // a repeated vertex is no edge
    const float dx = p.x - a.x, dy = p.y - a.y;
    const float t = dx * ex + dy * ey;
    float h = dx * dx + dy * dy;
    if (t >= 0.0f) {
      if (t > len2) {
        const float bx = p.x - b.x, by = p.y - b.y;
        h = bx * bx + by * by;
      } else {
        h = h - t * t / len2;
      }
    }
    if (h < r2) return true;
  }
  return false;
}
}  // namespace

Place::Place() { polygons_.reserve(kReservedPolygons); }

Vec2<float> Place::mapFromGrid(float x, float y) {
  return {x / kGridHalfWidth - 1.0f, -(y / kGridHalfHeight - 1.0f)};
}

bool Place::load(const std::string& path) {
  polygons_.clear();
  boxes_.clear();
  OutlineReader reader;
  if (!reader.read(path, polygons_)) {
    std::cerr << path << ": outline not loaded (" << reader.error() << ")\n";
    polygons_.clear();
    return false;
  }
  finish(path, reader.skipped());
  return true;
}

bool Place::build(const std::string& json, const std::string& name) {
  polygons_.clear();
  boxes_.clear();
  OutlineReader reader;
  if (!reader.parse(json, polygons_)) {
    std::cerr << name << ": outline not loaded (" << reader.error() << ")\n";
    polygons_.clear();
    return false;
  }
  finish(name, reader.skipped());
  return true;
}

void Place::finish(const std::string& name, int skipped) {
  if (skipped > 0) {
    std::cerr << name << ": skipped " << skipped << " vertices or polygons that are not pairs of numbers\n";
  }
  boxes_.reserve(polygons_.size());
  for (Polygon& poly : polygons_) {
    Box box{1e30f, 1e30f, -1e30f, -1e30f};
    for (Vec2<float>& q : poly) {
      q = mapFromGrid(q.x, q.y);
      box.minX = std::min(box.minX, q.x);
      box.minY = std::min(box.minY, q.y);
      box.maxX = std::max(box.maxX, q.x);
      box.maxY = std::max(box.maxY, q.y);
    }
    boxes_.push_back(box);
  }
}

bool Place::inside(const Vec2<float>& p) const {
  for (std::size_t i = 0; i < polygons_.size(); ++i) {
    const Box& b = boxes_[i];
    if (p.x < b.minX || p.x > b.maxX || p.y < b.minY || p.y > b.maxY) continue;
    if (insidePolygon(polygons_[i], p)) return true;
  }
  return false;
}

bool Place::near(const Vec2<float>& p) const {
  const float r = radius_;
  const float r2 = r * r;
  for (std::size_t i = 0; i < polygons_.size(); ++i) {
    const Box& b = boxes_[i];
    if (p.x < b.minX - r || p.x > b.maxX + r || p.y < b.minY - r || p.y > b.maxY + r) continue;
    if (nearPolygon(polygons_[i], p, r2)) return true;
  }
  return false;
}

bool Place::hitTest(const Vec2<float>& p) const {
  // Inside is tried for every polygon before near: an outline's polygons are
  // checked in file order, and the first rule that holds decides.
  return inside(p) || near(p);
}

Vec2<float> Place::vertexMean(const Polygon& polygon) {
  if (polygon.empty()) return {0.0f, 0.0f};
  float sx = 0.0f, sy = 0.0f;
  for (const Vec2<float>& q : polygon) {
    sx += q.x;
    sy += q.y;
  }
  const float n = static_cast<float>(polygon.size());
  return {sx / n, sy / n};
}

}  // namespace orb
