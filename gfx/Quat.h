#pragma once
#include "gfx/Vec3.h"

namespace orb {

// A rotation quaternion (x, y, z, w); w is the scalar part. A default Quat is
// the identity.
struct Quat {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 1.0f;

  constexpr Quat() = default;
  constexpr Quat(float px, float py, float pz, float pw) : x(px), y(py), z(pz), w(pw) {}

  // (axis * sin(angle/2), cos(angle/2)); angle in radians. The axis is taken
  // as given, not normalised.
  static Quat fromAxisAngle(float angle, const Vec3& axis);

  // Hamilton product: the rotation of a * b applies b first, then a.
  Quat operator*(const Quat& b) const;

  constexpr float dot(const Quat& o) const { return x * o.x + y * o.y + z * o.z + w * o.w; }

  // Divides by the 4-length; a zero (or NaN) quaternion becomes the identity
  // and gives false.
  bool normalize();
};

// Spherical interpolation from q1 (s = 0) to q2 (s = 1) along the shorter arc.
// Nearly equal orientations give q2. The result is not renormalised.
Quat slerp(const Quat& q1, const Quat& q2, float s);

}  // namespace orb
