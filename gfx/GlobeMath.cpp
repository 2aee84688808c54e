#include "gfx/GlobeMath.h"

#include <algorithm>
#include <cmath>

#include "gfx/Mat4.h"
#include "gfx/MathConstants.h"

namespace orb {

Vec3 directionFromLonLat(float lon, float lat) {
  const float cl = std::cos(lat);
  return {-std::cos(lon) * cl, std::sin(lat), std::sin(lon) * cl};
}

Vec2<float> lonLatFromDirection(const Vec3& v) {
  Vec3 n = v;
  n.normalize();
  const float lat = std::asin(std::clamp(n.y, -1.0f, 1.0f));
  const float k = std::sqrt(std::max(0.0f, 1.0f - n.y * n.y));
  const float l = k > 0.0f ? std::asin(std::clamp(n.z / k, -1.0f, 1.0f)) : 0.0f;
  float lon = l;
  if (n.x > 0.0f) lon = l > 0.0f ? kPi - l : -kPi - l;
  return {lon, lat};
}

Vec3 directionFromMap(float mx, float my) {
  const float lon = -kPi * mx;
  const float lat = -kHalfPi * my;
  return directionFromLonLat(lon, lat);
}

Quat quatFromAngles(float pitch, float yaw) {
  Quat q = Quat::fromAxisAngle(pitch, Vec3(1, 0, 0)) * Quat::fromAxisAngle(yaw, Vec3(0, 1, 0));
  q.normalize();
  return q;
}

Vec2<float> anglesFromQuat(const Quat& q) {
  const Mat4 m = Mat4::fromQuat(q);
  const float m6 = std::clamp(static_cast<float>(m[6]), -1.0f, 1.0f);
  const float pitch = -std::asin(-m6);
  float yaw = std::acos(std::clamp(static_cast<float>(m[0]), -1.0f, 1.0f));
  if (m[2] > 0.0) yaw = -yaw;
  return {pitch, yaw};
}

}  // namespace orb
