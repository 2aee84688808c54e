#include "game/SphereCircle.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

#include "gfx/MathConstants.h"

namespace orb {

void SphereCircle::draw(const Vec3& centre, float angle, float radius) {
  Vec3 e1 = std::fabs(centre.y) < 0.9f ? Vec3(0.0f, 1.0f, 0.0f).cross(centre) : Vec3(1.0f, 0.0f, 0.0f).cross(centre);
  if (!e1.normalize()) return;
  const Vec3 e2 = centre.cross(e1);
  const float c = std::cos(angle) * radius, s = std::sin(angle) * radius;
  std::array<float, kSegments * 3> points{};
  for (int i = 0; i < kSegments; ++i) {
    const float a = 2.0f * kPi * static_cast<float>(i) / kSegments;
    const Vec3 p = centre * c + (e1 * std::cos(a) + e2 * std::sin(a)) * s;
    points[static_cast<std::size_t>(i) * 3] = p.x;
    points[static_cast<std::size_t>(i) * 3 + 1] = p.y;
    points[static_cast<std::size_t>(i) * 3 + 2] = p.z;
  }
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, points.data());
  glDrawArrays(GL_LINE_LOOP, 0, kSegments);
  glDisableClientState(GL_VERTEX_ARRAY);
}

bool SphereCircle::holds(const Vec3& centre, float angle, const Vec3& p) {
  Vec3 unit = p;
  if (!unit.normalize()) return false;
  return centre.dot(unit) >= std::cos(angle);
}

}  // namespace orb
