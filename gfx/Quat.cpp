#include "gfx/Quat.h"

#include <algorithm>
#include <cmath>

#include "gfx/MathConstants.h"

namespace orb {

Quat Quat::fromAxisAngle(float angle, const Vec3& axis) {
  const float s = std::sin(angle * 0.5f);
  return {axis.x * s, axis.y * s, axis.z * s, std::cos(angle * 0.5f)};
}

Quat Quat::operator*(const Quat& b) const {
  const Quat& a = *this;
  return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
          a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
          a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
          a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

bool Quat::normalize() {
  const float len = std::sqrt(dot(*this));
  if (!(len > 0.0f)) {
    *this = Quat();
    return false;
  }
  x /= len;
  y /= len;
  z /= len;
  w /= len;
  return true;
}

Quat slerp(const Quat& q1, const Quat& q2, float s) {
  const float d = std::clamp(q1.dot(q2), -1.0f, 1.0f);
  const float theta = std::acos(std::fabs(d));
  const float sinTheta = std::sin(theta);
  if (sinTheta < kFloatEpsilon) return q2;
  const float a = std::sin((1.0f - s) * theta);
  float b = std::sin(s * theta);
  if (d < 0.0f) b = -b;
  return {(a * q1.x + b * q2.x) / sinTheta, (a * q1.y + b * q2.y) / sinTheta,
          (a * q1.z + b * q2.z) / sinTheta, (a * q1.w + b * q2.w) / sinTheta};
}

}  // namespace orb
