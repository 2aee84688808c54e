#pragma once
// A place's outline laid on the globe: every polygon of the map, its long
// edges cut so they follow the sphere's curve, kept as unit directions in
// globe model space. It draws the part the eye can see as lines or as a band
// of triangles (textured, one band draws a glowing line that took two wide GL
// lines) and, with a stencil buffer, fills it.
//
// The game draws without a depth buffer, so the far side is cut away here,
// on the CPU: each ring is clipped to the visible cap (the lines end at the
// limb, the fill is closed along it). A fan of triangles from one point to
// every edge of each closed ring, counted with GL_INVERT in the stencil,
// leaves set exactly the pixels inside an odd number of rings: the even-odd
// rule of Place::inside, for concave, many-part and holed outlines alike.
// Every frame draws only the vertices a pixel can tell apart (each vertex
// carries the Douglas-Peucker error at which it is needed).
#include <vector>

#include "game/Place.h"
#include "gfx/Vec3.h"

namespace orb {

class SphereOutline {
 public:
  // maxStep: longest edge, in map units, drawn as one straight chord.
  void build(const Place& place, float maxStep);
  void clear();
  bool empty() const { return rings_.empty(); }

  // Smallest cap holding every vertex: its axis and its half angle in radians.
  const Vec3& centre() const { return centre_; }
  float angularRadius() const { return angle_; }

  // Works out this frame's visible lines and fill rings. modelView: the
  // globe's model-view (EarthModel::sphereModelView, rigid); globeRadius: the
  // earth's radius; lift: drawing radius / globe radius; tolerance: how far
  // (radians of arc) a dropped vertex may lie from the line drawn, 0 for all.
  void prepare(const double* modelView, float globeRadius, float lift, float tolerance = 0.0f);

  // With the globe's model-view loaded: the visible outline as lines (the
  // seams of the map at the date line and the poles left out).
  void drawLines() const;
  // After prepare(): lays this frame's visible lines out as a band of
  // triangles facing the eye, of the same width on screen all along (mitred
  // at the corners), texture coordinate 0 on one edge and 1 on the other.
  // halfWidth: half the band's width per unit of depth from the eye (pixels
  // times the pixel's size one unit in front of the eye).
  void layBand(float halfWidth);
  // With the globe's model-view loaded and a 1D texture enabled: the band.
  void drawBand() const;
  // With the globe's model-view loaded and a stencil buffer: the fill in the
  // current colour, each covered pixel blended once. The stencil ends cleared.
  void drawFill() const;

  // The whole outline as line strips, every vertex kept: unit xyz triples,
  // seams left out.
  const std::vector<std::vector<float>>& strips() const { return strips_; }

  // Number of vertices this frame's fill draws (for tests and measurements).
  std::size_t fillVertices() const { return triangles_.size() / 3; }
  // Number of line segments this frame draws.
  std::size_t lineSegments() const { return segments_.size() / 6; }

 private:
  struct Ring {
    std::vector<Vec3> points;   // unit directions, closing edge implied
    std::vector<bool> drawn;    // per edge (point i to i + 1): false on a map seam
    std::vector<float> weight;  // chord error at which each point is needed (seam ends: always)
  };
  static void weigh(Ring& ring);
  void addLinePoint(const Vec3& unit);
  void endLine();
  void addLimbArc(float fromAngle, float toAngle);
  Vec3 limbPoint(float angle) const;
  float limbAngle(const Vec3& p) const;
  void appendPoint(const Vec3& unit);
  void closeLoop();

  Place place_;  // the map polygons, to tell whether the eye's own point is inside
  std::vector<Ring> rings_;
  std::vector<std::vector<float>> strips_;  // line strips, lifted when drawn (unit xyz)
  Vec3 centre_{};
  float angle_ = 0.0f;

  // This frame's view, set by prepare().
  Vec3 eye_{}, eyeDir_{}, e1_{}, e2_{};
  float limbCos_ = 0.0f, limbSin_ = 0.0f, drawRadius_ = 1.0f;
  std::vector<float> fill_;            // xyz of every fill fan (centre, loop, loop's first point again)
  std::vector<int> loopStart_, loopCount_;
  std::size_t openLoop_ = 0;           // first float of the loop being built
  bool odd_ = false;                   // the loops so far hold the eye's point an odd number of times
  std::vector<float> lines_;           // xyz of the visible line strip in hand
  std::size_t openLine_ = 0;
  std::vector<float> segments_;        // xyz pairs: every visible line segment
  std::vector<float> runs_;            // xyz of every visible line strip, one after the other
  std::vector<std::size_t> runStart_;  // first point of each strip in runs_
  std::vector<float> band_;            // xyz of the band as one triangle strip
  std::vector<float> bandS_;           // their texture coordinates
  std::vector<float> triangles_;       // xyz triples: every fan's triangles
  std::vector<std::size_t> kept_;      // this frame's vertices of the ring in hand
};

}  // namespace orb
