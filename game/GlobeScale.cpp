#include "game/GlobeScale.h"

#include <cmath>

#include "gfx/Camera.h"

namespace orb {

float GlobeScale::pixelsPerRadian(const Camera& camera, float radius, float distance) {
  const float height = camera.viewport[3] > 0 ? static_cast<float>(camera.viewport[3]) : kLayoutHeight;
  return pixelsPerRadian(camera, radius, distance, height);
}

float GlobeScale::pixelsPerRadian(const Camera& camera, float radius, float distance, float height) {
  // Of half the vertical view angle, from the field of view rather than the
  // extents, so the answer depends on nothing a window resize changes.
  float tangent = std::tan(camera.fov / 2.0f);
  if (camera.fovIsHorizontal && camera.aspect > 0.0f) tangent /= camera.aspect;
  const float gap = distance - radius;
  if (!(tangent > 0.0f) || !(gap > 0.0f)) return 0.0f;
  return height / 2.0f / tangent * radius / gap;
}

}  // namespace orb
