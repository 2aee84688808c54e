// What the globe hides, checked against sight lines traced to the sphere.
#include "globe/LimbView.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orb {
namespace {

// The sight line from the eye (the origin) to p enters the sphere before p.
bool sightLineBlocked(const Vec3& p, const Vec3& centre, float radius) {
  Vec3 dir = p;
  const float length = dir.length();
  if (!dir.normalize()) return false;
  const float along = dir.dot(centre);
  const float disc = along * along - centre.dot(centre) + radius * radius;
  if (disc < 0.0f) return false;
  const float entry = along - std::sqrt(disc);
  return entry > 0.0f && entry < length;
}

TEST(LimbView, HidesExactlyWhatTheSphereBlocks) {
  struct Row {
    const char* name;
    Vec3 centre;
    float radius;
  };
  const Row rows[] = {
      {"usual distance, straight ahead", {0.0f, 0.0f, -1800.0f}, 400.0f},
      {"closest zoom", {0.0f, 0.0f, -500.0f}, 400.0f},
      {"globe off to one side", {300.0f, -200.0f, -1200.0f}, 400.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const LimbView limb(row.centre, row.radius);
    // Points on shells round the centre, from the surface to well beyond the limb.
    int hidden = 0, checked = 0;
    for (float shell : {1.0f, 1.004f, 1.13f, 1.6f}) {
      for (int i = 0; i < 48; ++i) {
        for (int j = 1; j < 24; ++j) {
          const float lon = 6.2831853f * static_cast<float>(i) / 48.0f;
          const float lat = 3.1415927f * (static_cast<float>(j) / 24.0f - 0.5f);
          const Vec3 offset(std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon));
          const Vec3 p = row.centre + offset * (shell * row.radius);
          // Points grazing the silhouette are left to rounding.
          const Vec3 toCentre = row.centre - p * (p.dot(row.centre) / p.dot(p));
          if (std::fabs(toCentre.length() - row.radius) < 0.5f) continue;
          const bool blocked = sightLineBlocked(p, row.centre, row.radius * 0.9999f);
          EXPECT_EQ(blocked, limb.hides(p)) << shell << " " << i << " " << j;
          hidden += blocked;
          ++checked;
        }
      }
    }
    EXPECT_GT(hidden, checked / 5);  // the far side is there to hide
  }
}

TEST(LimbView, TheLimbPlaneLiesRadiusSquaredOverDistanceInFrontOfTheCentre) {
  // Seen from 1800 units, 400 * 400 / 1800 = 88.9 units: the centre is that far behind it.
  const LimbView limb({0.0f, 0.0f, -1800.0f}, 400.0f);
  EXPECT_NEAR(-400.0f * 400.0f / 1800.0f, limb.inFront({0.0f, 0.0f, -1800.0f}), 0.01f);
  EXPECT_NEAR(0.0f, limb.inFront({0.0f, 390.0f, -1800.0f + 400.0f * 400.0f / 1800.0f}), 0.01f);
  EXPECT_FALSE(limb.hides({0.0f, 0.0f, -1400.0f}));  // the near point
  EXPECT_TRUE(limb.hides({0.0f, 0.0f, -2200.0f}));   // the far point
  EXPECT_FALSE(limb.hides({0.0f, 0.0f, -1000.0f}));  // before the globe
}

TEST(LimbView, AnEyeInsideTheGlobeSeesNoSilhouette) {
  const LimbView limb({0.0f, 0.0f, -100.0f}, 400.0f);
  EXPECT_FALSE(limb.hides({0.0f, 0.0f, -500.0f}));
}

}  // namespace
}  // namespace orb
