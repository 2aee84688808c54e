#pragma once
// Conventions of the earth sphere's model space, shared by drawing, picking
// and judging answers: +y is the north pole, longitude 0 / latitude 0 lies on
// -x, and the earth image's left edge is at +x (texture u = 0). Angles are
// radians, longitude before latitude.
#include "gfx/Quat.h"
#include "gfx/Vec2.h"
#include "gfx/Vec3.h"

namespace orb {

// Unit direction of a point at (lon, lat): (-cos lon cos lat, sin lat, sin lon cos lat).
Vec3 directionFromLonLat(float lon, float lat);

// (lon, lat) of a direction (any length but zero). lon lies in [-pi, pi]; it
// is 0 at the poles, and a direction on +x exactly (n.z = 0) gives -pi.
Vec2<float> lonLatFromDirection(const Vec3& v);

// Direction of a point of the earth image in map coordinates: mx from -1 (left
// edge) to +1 (right edge), my from -1 (top, north) to +1 (bottom, south).
// lon = -pi mx, lat = -(pi/2) my.
Vec3 directionFromMap(float mx, float my);
inline Vec3 directionFromMap(const Vec2<float>& map) { return directionFromMap(map.x, map.y); }

// The view orientation of a globe turned by yaw about the polar axis, then
// tilted by pitch: normalised fromAxisAngle(pitch, x) * fromAxisAngle(yaw, y).
Quat quatFromAngles(float pitch, float yaw);

// Inverse of quatFromAngles for |pitch| <= pi/2: returns (pitch, yaw) in x, y.
Vec2<float> anglesFromQuat(const Quat& q);

}  // namespace orb
