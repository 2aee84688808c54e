#include "game/MapCoords.h"

#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"

namespace orb {

Vec2<float> mapFromGlobe(const Vec3& point) {
  const Vec2<float> lonLat = lonLatFromDirection(point);
  return {lonLat.x / -kPi, lonLat.y / -kHalfPi};
}

Vec3 globeFromMap(const Vec2<float>& map) { return directionFromMap(map); }

}  // namespace orb
