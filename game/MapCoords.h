#pragma once
// Conversions between points on the globe (globe model space, +y north) and
// the map plane the place outlines are judged in: u in [-1, 1] from the earth
// image's left edge to its right edge (u = -lon / pi), v in [-1, 1] from the
// north pole to the south pole (v = -lat / (pi / 2)).
#include "gfx/Vec2.h"
#include "gfx/Vec3.h"

namespace orb {

// Any non-zero vector; its length is ignored.
Vec2<float> mapFromGlobe(const Vec3& point);
// A unit vector.
Vec3 globeFromMap(const Vec2<float>& map);

}  // namespace orb
