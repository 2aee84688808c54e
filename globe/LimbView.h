#pragma once
#include "gfx/Vec3.h"

namespace orb {

// What the globe hides from the eye, worked out geometrically because the game
// draws without a depth buffer. All points are in eye space (the eye at the
// origin, any orientation). The limb plane is the plane of the silhouette
// circle: perpendicular to the line of sight through the centre, r * r / D in
// front of the centre (r: radius, D: eye to centre). A point is hidden when it
// lies behind that plane and inside the cone of sight lines that touch the
// sphere; a point behind the plane but outside the cone shows beyond the limb.
class LimbView {
 public:
  // centre: the globe centre in eye space; radius in the same units.
  LimbView(const Vec3& centre, float radius);

  // Signed distance of p in front of the limb plane (towards the eye), in the
  // units of the centre; negative behind it.
  float inFront(const Vec3& p) const;
  // True when the globe stands between the eye and p. Never true when the eye
  // is inside the globe (there is no silhouette then).
  bool hides(const Vec3& p) const;

 private:
  Vec3 view_;              // unit line of sight to the centre
  float limbDepth_ = 0.0f; // depth of the limb plane along view_
  float coneCos_ = 1.0f;   // cosine of the silhouette cone's half angle
  bool outside_ = false;   // the eye is outside the globe
};

}  // namespace orb
