#pragma once
#include "gfx/Vec3.h"

namespace orb {

// A small circle on the globe: every point at a given angle from a centre
// direction, drawn as a line loop in globe model space.
class SphereCircle {
 public:
  static constexpr int kSegments = 32;

  // centre: unit direction; angle: radians from it; radius: of the sphere it
  // lies on, in globe units. With the globe's model-view loaded.
  static void draw(const Vec3& centre, float angle, float radius);
  // Whether unit direction p lies within angle of centre.
  static bool holds(const Vec3& centre, float angle, const Vec3& p);
};

}  // namespace orb
