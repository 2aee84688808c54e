#pragma once
// One place's outline, loaded from its outline file, and the test that judges
// a tap against it.
#include <string>
#include <vector>

#include "gfx/Vec2.h"

namespace orb {

class Place {
 public:
  using Polygon = std::vector<Vec2<float>>;

  // Polygons of a built place hold map coordinates (u, v), both in [-1, 1]:
  // u = -1 at the earth image's left edge, v = -1 at its top (north) edge.
  // One map unit is 180 degrees of longitude or 90 degrees of latitude.
  Place();

  // Reads an outline file: an array of polygons, each an array of vertices
  // [x, y, ...] on the 200 x 100 grid (x from the image's left edge, y from
  // its bottom edge). Returns false with one stderr line naming the file when
  // it is missing or not such an array; the place then has no polygons and is
  // never hit. Vertices with fewer than two numbers are skipped (one stderr
  // line per file), and a polygon left without vertices is dropped.
  [[nodiscard]] bool load(const std::string& path);

  // Builds the polygons from an outline's JSON text; `name` labels the
  // stderr lines. Same rules as load().
  bool build(const std::string& json, const std::string& name);

  // Grid point to map coordinates: u = x / 100 - 1, v = -(y / 50 - 1).
  static Vec2<float> mapFromGrid(float x, float y);

  // A tap at map point p hits when p is inside some polygon by the even-odd
  // rule, or lies closer than radius() to some edge.
  bool hitTest(const Vec2<float>& p) const;
  // The two rules alone, for tests and tools.
  bool inside(const Vec2<float>& p) const;
  bool near(const Vec2<float>& p) const;

  // Hit tolerance in map units (1.0 until the loader sets "touch_radius").
  float radius() const { return radius_; }
  void setRadius(float r) { radius_ = r; }

  const std::vector<Polygon>& polygons() const { return polygons_; }
  // The mean of a polygon's points in single precision, (0, 0) when empty.
  static Vec2<float> vertexMean(const Polygon& polygon);

 private:
  struct Box {
    float minX, minY, maxX, maxY;
  };
  void finish(const std::string& name, int skipped);

  std::vector<Polygon> polygons_;
  // Bounds of each polygon: a tap outside a box (grown by the radius) can be
  // neither inside that polygon nor near its edges, so its edges are not walked.
  std::vector<Box> boxes_;
  float radius_ = 1.0f;
};

}  // namespace orb
